// Reading DLGTEMPLATE bytes: header fields, ordinal and named classes, ordinal titles,
// creation data, DWORD alignment of items, and malformed templates refused.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/dialogs/template_builder.h"
#include "user/dialogs/dialog_template.h"

using namespace dialog_test;
using win32::user::parse_dialog_template;

TEST(DialogTemplate, HeaderFontAndItemsInOrder) {
  TemplateBuilder t(WS_POPUP | WS_CAPTION | DS_SETFONT | DS_MODALFRAME, 30, 16, 132, 90, "About", "Helv", 10);
  t.item(kButton, IDOK, "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 94, 70, 30, 14)
      .item(kStatic, 100, "Centred", SS_CENTER, 8, 5, 114, 16)
      .named_item("ListBox", 7, "", LBS_SORT, 1, 2, 3, 4);
  auto parsed = parse_dialog_template(t.get(), t.size());
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | DS_SETFONT | DS_MODALFRAME));
  EXPECT_EQ(parsed->x, 30);
  EXPECT_EQ(parsed->cy, 90);
  EXPECT_EQ(parsed->title, "About");
  EXPECT_TRUE(parsed->has_font);
  EXPECT_EQ(parsed->point_size, 10);
  EXPECT_EQ(parsed->face_name, "Helv");
  EXPECT_FALSE(parsed->menu.present);
  EXPECT_FALSE(parsed->class_name.present);
  ASSERT_EQ(parsed->items.size(), 3u);
  EXPECT_EQ(parsed->items[0].class_name, "Button");
  EXPECT_EQ(parsed->items[0].id, IDOK);
  EXPECT_EQ(parsed->items[0].title.text, "OK");
  EXPECT_EQ(parsed->items[0].x, 94);
  EXPECT_EQ(parsed->items[1].class_name, "Static");
  EXPECT_EQ(parsed->items[2].class_name, "ListBox");
  EXPECT_EQ(parsed->items[2].cy, 4);
}

TEST(DialogTemplate, OrdinalTitleAndCreationDataAreKeptAndSkipped) {
  TemplateBuilder t(WS_POPUP, 0, 0, 10, 10, "x");
  t.named_item("Static", 5, "", SS_ICON, 0, 0, 1, 1, {1, 2, 3});  // odd size: the next item realigns
  t.item(kEdit, 6, "after", 0, 0, 0, 1, 1);
  std::vector<WORD> words = t.words();
  auto parsed_plain = parse_dialog_template(words.data(), words.size() * 2);
  ASSERT_TRUE(parsed_plain);
  ASSERT_EQ(parsed_plain->items.size(), 2u);
  ASSERT_NE(parsed_plain->items[0].creation_data, nullptr);
  WORD data_size;
  std::memcpy(&data_size, parsed_plain->items[0].creation_data, 2);
  EXPECT_EQ(data_size, 3);
  EXPECT_EQ(parsed_plain->items[1].title.text, "after");
  EXPECT_EQ(parsed_plain->items[1].class_name, "Edit");

  TemplateBuilder icon(WS_POPUP, 0, 0, 10, 10, "");
  icon.icon_item(9, 32516, SS_ICON, 0, 0, 1, 1);
  auto parsed = parse_dialog_template(icon.get(), icon.size());
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->items[0].class_name, "Static");
  EXPECT_TRUE(parsed->items[0].title.is_ordinal);
  EXPECT_EQ(parsed->items[0].title.ordinal, 32516);
}

TEST(DialogTemplate, MalformedTemplatesAreRefused) {
  TemplateBuilder t(WS_POPUP, 0, 0, 10, 10, "title");
  t.item(kButton, 1, "OK", 0, 0, 0, 1, 1);
  // Cut anywhere inside: never parsed.
  for (size_t cut = 1; cut < t.size(); cut += 2) EXPECT_FALSE(parse_dialog_template(t.get(), cut)) << cut;
  EXPECT_TRUE(parse_dialog_template(t.get(), t.size()));
  EXPECT_FALSE(parse_dialog_template(nullptr, 0));

  // An unknown control ordinal.
  std::vector<WORD> bad = t.words();
  for (size_t i = 0; i + 1 < bad.size(); ++i)
    if (bad[i] == 0xFFFF && bad[i + 1] == kButton) bad[i + 1] = 0x0099;
  EXPECT_FALSE(parse_dialog_template(bad.data(), bad.size() * 2));

  // An extended template (version 1, signature 0xFFFF) is not read as a classic one.
  std::vector<WORD> extended = t.words();
  extended[0] = 1;
  extended[1] = 0xFFFF;
  EXPECT_FALSE(parse_dialog_template(extended.data(), extended.size() * 2));

  // A text with no terminator inside the bytes.
  std::vector<WORD> endless(sizeof(DLGTEMPLATE) / 2 + 2, 0);
  endless.resize(endless.size() + 8, 'a');
  EXPECT_FALSE(parse_dialog_template(endless.data(), endless.size() * 2));
}

TEST(DialogTemplate, IndirectCallsRefuseBadTemplatesCleanly) {
  EXPECT_EQ(CreateDialogIndirectParamA(nullptr, nullptr, nullptr, nullptr, 0), nullptr);
  EXPECT_EQ(DialogBoxIndirectParamA(nullptr, nullptr, nullptr, nullptr, 0), -1);
  TemplateBuilder t(WS_POPUP, 0, 0, 10, 10, "");
  t.named_item("NoSuchClass", 1, "", WS_CHILD, 0, 0, 1, 1);
  EXPECT_EQ(CreateDialogIndirectParamA(nullptr, t.get(), nullptr, nullptr, 0), nullptr);
  EXPECT_EQ(DialogBoxIndirectParamA(nullptr, t.get(), nullptr, nullptr, 0), -1);
}
