// The template readers on damaged bytes given by pointer only (the *Indirect calls).
// Inside a resource they stop at its end; outside any, a count read from the bytes may
// not send them leaping far past where the template can be. AddressSanitizer builds
// turn any read outside these arrays into a failure.
#include <gtest/gtest.h>

#include <vector>

#include "kernel/resource_directory.h"
#include "user/dialogs/dialog_template.h"
#include "win32.h"
#include "win32_resources.h"

namespace {

using win32::user::parse_dialog_template;

// A classic template: no menu, class, title or font, one Button item whose creation-data
// WORD is `claimed`, followed by `present` bytes.
#define DIALOG_WITH_CREATION_DATA(claimed_low, claimed_high)                                          \
  {/* style, ex style */ 0, 0, 0, 0x80, 0, 0, 0, 0, /* 1 item, x y cx cy */ 1, 0, 0, 0, 0, 0, 10, 0, \
   10, 0, /* menu, class, title */ 0, 0, 0, 0, 0, 0,                                                   \
   /* item style, ex style */ 0, 0, 0, 0x50, 0, 0, 0, 0, /* x y cx cy id */ 0, 0, 0, 0, 5, 0, 5, 0,   \
   1, 0, /* Button, no title */ 0xFF, 0xFF, 0x80, 0, 0, 0,                                             \
   /* creation data */ claimed_low, claimed_high, 0xAB, 0xCD}

alignas(4) const unsigned char kLeapingDialog[] = DIALOG_WITH_CREATION_DATA(0xF0, 0xFF);
alignas(4) const unsigned char kHonestDialog[] = DIALOG_WITH_CREATION_DATA(2, 0);
// Menu items without MF_END on the last one: nothing in the bytes ends the menu.
alignas(4) const unsigned char kEndlessMenu[] = {0, 0, 0, 0, 0, 0, 1, 0, 'a', 0, 0, 0, 0, 0, 2, 0, 'b', 0, 0, 0};
alignas(4) const unsigned char kEndedMenu[] = {0, 0, 0, 0, 0, 0, 1, 0, 'a', 0, 0, 0, 0x80, 0, 2, 0, 'b', 0, 0, 0};

const win32::ResourceRecord kRecords[] = {
    {5, "LEAPINGDIALOG", 0, kLeapingDialog, sizeof kLeapingDialog},
    {5, "HONESTDIALOG", 0, kHonestDialog, sizeof kHonestDialog},
    {4, "ENDLESSMENU", 0, kEndlessMenu, sizeof kEndlessMenu},
    {4, "ENDEDMENU", 0, kEndedMenu, sizeof kEndedMenu},
};
const bool kRegistered = win32::register_resources(kRecords, sizeof kRecords / sizeof kRecords[0]);

TEST(BoundedReaders, TheResourceAroundAPointerGivesTheBytesLeft) {
  ASSERT_TRUE(kRegistered);
  EXPECT_EQ(win32::kernel::resource_bytes_from(kLeapingDialog), sizeof kLeapingDialog);
  EXPECT_EQ(win32::kernel::resource_bytes_from(kLeapingDialog + 10), sizeof kLeapingDialog - 10);
  EXPECT_EQ(win32::kernel::resource_bytes_from(kLeapingDialog + sizeof kLeapingDialog - 1), 1u);
  std::vector<unsigned char> copy(kLeapingDialog, kLeapingDialog + sizeof kLeapingDialog);
  EXPECT_EQ(win32::kernel::resource_bytes_from(copy.data()), 0u);
  EXPECT_EQ(win32::kernel::resource_bytes_from(nullptr), 0u);
}

TEST(BoundedReaders, CreationDataMayNotLeapPastTheTemplate) {
  ASSERT_TRUE(kRegistered);
  // With the size given, from inside the resource, and as a bare copy outside any.
  EXPECT_FALSE(parse_dialog_template(kLeapingDialog, sizeof kLeapingDialog));
  EXPECT_FALSE(parse_dialog_template(kLeapingDialog, 0));
  std::vector<unsigned char> copy(kLeapingDialog, kLeapingDialog + sizeof kLeapingDialog);
  EXPECT_FALSE(parse_dialog_template(copy.data(), 0));
  EXPECT_EQ(DialogBoxIndirectParamA(nullptr, reinterpret_cast<const DLGTEMPLATE*>(copy.data()), nullptr, nullptr, 0),
            -1);

  // Honest creation data still reaches the control, by pointer as by size.
  for (std::size_t size : {sizeof kHonestDialog, std::size_t{0}}) {
    auto parsed = parse_dialog_template(kHonestDialog, size);
    ASSERT_TRUE(parsed) << size;
    ASSERT_EQ(parsed->items.size(), 1u);
    EXPECT_EQ(parsed->items[0].creation_data, kHonestDialog + 48);
  }
}

TEST(BoundedReaders, AnItemCountPastTheResourceEndFails) {
  ASSERT_TRUE(kRegistered);
  // The honest template claiming a second item: only the resource's end stops the read.
  static unsigned char two_items[sizeof kHonestDialog];
  std::copy(kHonestDialog, kHonestDialog + sizeof kHonestDialog, two_items);
  two_items[8] = 2;
  static const win32::ResourceRecord record{5, "TWOITEMS", 0, two_items, sizeof two_items};
  ASSERT_TRUE(win32::register_resources(&record, 1));
  EXPECT_FALSE(parse_dialog_template(two_items, 0));
}

TEST(BoundedReaders, AMenuWithoutItsEndStopsAtTheResourceEnd) {
  ASSERT_TRUE(kRegistered);
  EXPECT_EQ(LoadMenuIndirectA(reinterpret_cast<const MENUTEMPLATEA*>(kEndlessMenu)), nullptr);
  EXPECT_EQ(LoadMenuA(GetModuleHandleA(nullptr), "ENDLESSMENU"), nullptr);
  HMENU menu = LoadMenuIndirectA(reinterpret_cast<const MENUTEMPLATEA*>(kEndedMenu));
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuItemCount(menu), 2);
  DestroyMenu(menu);
}

}  // namespace
