#include "framework/cstring.h"

#include "alloc_counter.h"
#include "framework/except.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Reads a string's protected fields without changing its type.
struct Fields : CString {
  static int capacity(const CString& s) { return s.*(&Fields::allocLength); }
  static const char* buffer(const CString& s) { return s.*(&Fields::data); }
};

bool OnSharedEmptyBuffer(const CString& s) {
  return Fields::buffer(s) == &_afxChNil && Fields::capacity(s) == 0 && s.GetLength() == 0;
}

TEST(CString, EmptyStringsNeverAllocate) {
  AllocationCounter counter;
  {
    CString a;
    CString b(a);
    CString c(static_cast<const char*>(nullptr));
    CString d("");
    CString e = a + b;
    CString f = a + static_cast<const char*>(nullptr);
    a = b;
    a += c;
    a += static_cast<const char*>(nullptr);
    for (const CString* s : {&a, &b, &c, &d, &e, &f}) {
      EXPECT_TRUE(OnSharedEmptyBuffer(*s));
      EXPECT_STREQ(*s, "");
    }
  }
  EXPECT_EQ(counter.allocations(), 0);
  EXPECT_EQ(counter.frees(), 0);
  EXPECT_EQ(_afxChNil, '\0');
  EXPECT_TRUE(OnSharedEmptyBuffer(afxEmptyString));
}

TEST(CString, BuffersHaveExactlyTheNeededSize) {
  AllocationCounter counter;
  CString s("0123456789");
  EXPECT_EQ(counter.allocations(), 1);
  EXPECT_EQ(counter.lastSize(), 11u);
  EXPECT_EQ(Fields::capacity(s), 10);

  CString copy(s);
  EXPECT_EQ(counter.lastSize(), 11u);
  EXPECT_NE(Fields::buffer(copy), Fields::buffer(s));
  EXPECT_STREQ(copy, "0123456789");

  CString joined = s + "ab";
  EXPECT_EQ(counter.lastSize(), 13u);
  EXPECT_EQ(Fields::capacity(joined), 12);
  EXPECT_STREQ(joined, "0123456789ab");
  EXPECT_STREQ("<" + s, "<0123456789");
  EXPECT_STREQ(s + copy, "01234567890123456789");
}

TEST(CString, AssignmentReusesABufferThatFitsAndNeverShrinks) {
  CString s("0123456789");
  const char* buffer = Fields::buffer(s);
  AllocationCounter counter;

  s = "abc";
  EXPECT_EQ(Fields::buffer(s), buffer);
  EXPECT_EQ(Fields::capacity(s), 10);
  EXPECT_EQ(s.GetLength(), 3);
  EXPECT_STREQ(s, "abc");

  // An empty text keeps the buffer too; only Empty gives it back.
  s = "";
  EXPECT_EQ(Fields::buffer(s), buffer);
  EXPECT_TRUE(s.IsEmpty());
  EXPECT_EQ(counter.allocations(), 0);

  s = CString("abcdefghij");  // exactly the capacity: still no new buffer
  EXPECT_EQ(Fields::buffer(s), buffer);
  int before = counter.allocations();
  s = "abcdefghijk";
  EXPECT_EQ(counter.allocations(), before + 1);
  EXPECT_EQ(counter.lastSize(), 12u);
  EXPECT_EQ(Fields::capacity(s), 11);
  EXPECT_STREQ(s, "abcdefghijk");

  int freesBefore = counter.frees();
  s.Empty();
  EXPECT_EQ(counter.frees(), freesBefore + 1);
  EXPECT_TRUE(OnSharedEmptyBuffer(s));
}

TEST(CString, AssigningFromItselfOrItsOwnTailKeepsTheText) {
  CString s("benchmark");
  s = s;
  EXPECT_STREQ(s, "benchmark");
  s = static_cast<const char*>(s) + 5;
  EXPECT_STREQ(s, "mark");
  EXPECT_EQ(Fields::capacity(s), 9);
}

TEST(CString, AppendingGrowsToTheCombinedLengthOrAppendsInPlace) {
  AllocationCounter counter;
  CString s("abc");
  s += "de";
  EXPECT_EQ(counter.lastSize(), 6u);
  EXPECT_EQ(Fields::capacity(s), 5);
  EXPECT_EQ(counter.frees(), 1);  // the three-character buffer went

  s = "a";
  const char* buffer = Fields::buffer(s);
  int before = counter.allocations();
  s += "bcd";
  EXPECT_EQ(counter.allocations(), before);
  EXPECT_EQ(Fields::buffer(s), buffer);
  EXPECT_STREQ(s, "abcd");
}

TEST(CString, AppendingAStringToItselfDoublesIt) {
  CString grown("xyz");
  grown += grown;  // needs a new buffer; the old text is read before it is freed
  EXPECT_STREQ(grown, "xyzxyz");
  EXPECT_EQ(Fields::capacity(grown), 6);

  CString roomy("0123456789");
  roomy = "ab";
  roomy += roomy;  // fits the old buffer
  EXPECT_STREQ(roomy, "abab");
  EXPECT_EQ(Fields::capacity(roomy), 10);
  roomy += static_cast<const char*>(roomy);
  EXPECT_STREQ(roomy, "abababab");
}

TEST(CString, FailedGrowthLeavesAssignmentEmptyAndAppendUnchanged) {
  CString assigned("abc");
  CString appended("abc");
  AllocationCounter counter;
  counter.refuse(true);
  int raised = 0;
  TRY { assigned = "a longer text"; }
  CATCH(CMemoryException, e) { ++raised; }
  END_CATCH
  TRY { appended += "defgh"; }
  CATCH(CMemoryException, e) { ++raised; }
  END_CATCH
  counter.refuse(false);

  EXPECT_EQ(raised, 2);
  EXPECT_TRUE(OnSharedEmptyBuffer(assigned));
  EXPECT_STREQ(appended, "abc");
  EXPECT_EQ(Fields::capacity(appended), 3);
}

}  // namespace
