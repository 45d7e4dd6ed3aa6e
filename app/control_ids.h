// Control ids of the benchmark panel "BENCHDLG" and of the About box "ABOUT".
#pragma once

// The benchmark panel's inputs and outputs.
constexpr int kIdDriveList = 10000;
constexpr int kIdThreads = 10001;
constexpr int kIdBlocks = 10002;
constexpr int kIdRepeat = 10003;
constexpr int kIdDhrystoneResult = 10004;
constexpr int kIdWhetstoneResult = 10005;
constexpr int kIdDiskResult = 10006;
constexpr int kIdStatus = 10007;

// The About box's picture button, drawn with the program icon.
constexpr int kIdAboutPicture = 103;

// Resource names.
constexpr char kBenchDialogName[] = "BENCHDLG";
constexpr char kAboutDialogName[] = "ABOUT";
constexpr char kProgramIconName[] = "QUIRVEL";
