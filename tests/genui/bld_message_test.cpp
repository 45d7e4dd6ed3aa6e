// BLDDisplayMessage: a string-table text, one blank and a name, within 200 characters;
// and the three routines that report a missing resource through it.
#include <gtest/gtest.h>

#include <string>

#include "framework/window.h"
#include "genui/app_hooks.h"
#include "genui/application.h"
#include "genui/bld_helpers.h"
#include "genui_support.h"

namespace genui_test {
namespace {

TEST(DisplayMessage, TableTextThenABlankThenTheName) {
  // The table's text ends in a blank, so two blanks stand before the name.
  BoxAnswer answer = AnswerBox([] { return BLDDisplayMessage(nullptr, kIdsCannotLoadIcon, "QUIRVEL", MB_ICONINFORMATION); });
  ASSERT_TRUE(answer.shown);
  EXPECT_EQ(answer.text, "Cannot load icon  QUIRVEL");
  EXPECT_EQ(answer.caption, "TORVEX NT Benchmarks");
  EXPECT_EQ(answer.result, IDOK);

  answer = AnswerBox([] { return BLDDisplayMessage(nullptr, 0, "BENCHDLG", MB_ICONHAND); });
  EXPECT_EQ(answer.text, " BENCHDLG");
  answer = AnswerBox([] { return BLDDisplayMessage(nullptr, kIdsCannotRun, nullptr, MB_OK); });
  EXPECT_EQ(answer.text, "Cannot run ");
  // A resource named by number shows its number.
  answer = AnswerBox([] { return BLDDisplayMessage(nullptr, kIdsCannotLoadMenu, MAKEINTRESOURCEA(7), MB_OK); });
  EXPECT_EQ(answer.text, "Cannot load menu  #7");
}

TEST(DisplayMessage, NameThatWouldPassTwoHundredCharactersIsDropped) {
  const std::string table = "Cannot create dialog box ";  // 25 characters
  const std::string fits(200 - table.size() - 1, 'n');
  const std::string tooLong = fits + "n";
  BoxAnswer answer = AnswerBox([&] { return BLDDisplayMessage(nullptr, kIdsCannotCreateDialog, fits.c_str(), MB_OK); });
  EXPECT_EQ(answer.text, table + " " + fits);
  EXPECT_EQ(answer.text.size(), 200u);
  answer = AnswerBox([&] { return BLDDisplayMessage(nullptr, kIdsCannotCreateDialog, tooLong.c_str(), MB_OK); });
  EXPECT_EQ(answer.text, table);
}

TEST(DisplayMessage, MissingStringShowsTheFixedTextAndReturnsZero) {
  BoxAnswer answer = AnswerBox([] { return BLDDisplayMessage(nullptr, 4999, "X", MB_OK); });
  ASSERT_TRUE(answer.shown);
  EXPECT_EQ(answer.text, "Cannot load string.");
  EXPECT_EQ(answer.result, 0);
}

TEST(MissingResources, IconBitmapAndMenuAreReportedByName) {
  StartFramework();
  RegisterTestResources();
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP target = CreateCompatibleBitmap(screen, 8, 8);
  HGDIOBJ old = SelectObject(dc, target);
  DRAWITEMSTRUCT item{};
  item.hDC = dc;
  item.rcItem = RECT{0, 0, 8, 8};

  BoxAnswer answer = AnswerBox([&] { return BLDDrawIcon(&item, "NOSUCHICON"); });
  EXPECT_EQ(answer.text, "Cannot load icon  NOSUCHICON");
  EXPECT_EQ(answer.result, 0);
  answer = AnswerBox([&] { return BLDDrawBitmap(&item, "NOSUCHBITMAP", 0); });
  EXPECT_EQ(answer.text, "Cannot load bitmap  NOSUCHBITMAP");
  EXPECT_EQ(answer.result, 0);

  SelectObject(dc, old);
  DeleteObject(target);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);

  // The menu's message is owned by the window whose menu was to change.
  answer = AnswerBox([] {
    HWND window = CreateWindowExA(0, "Static", "with caption", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    const int result = BLDSwitchMenu(CWnd::FromHandle(window), "NOSUCHMENU");
    DestroyWindow(window);
    CWnd::DeleteTempMap();
    return result;
  });
  EXPECT_EQ(answer.text, "Cannot load menu  NOSUCHMENU");
  EXPECT_EQ(answer.result, 0);
}

// Without a main window the panel cannot be made: the person is told which template,
// and the main window's creation would go on without it.
TEST(MissingResources, PanelThatCannotBeCreatedIsReported) {
  StartFramework();
  ASSERT_EQ(TheApp.pMainWnd, nullptr);
  BoxAnswer answer = AnswerBox([] { return BLD_MainWinControlsClFunc(nullptr) == nullptr ? 0 : 1; });
  EXPECT_EQ(answer.text, "Cannot create dialog box  BENCHDLG");
  EXPECT_EQ(answer.result, 0);
  EXPECT_EQ(TheApp.pClientDlg, nullptr);
}

}  // namespace
}  // namespace genui_test
