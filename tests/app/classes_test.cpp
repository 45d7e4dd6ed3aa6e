// The class trees the program is built from: each class derives from the one the design
// names and, adding no run-time class of its own, reports its framework base's record.
#include <gtest/gtest.h>

#include <type_traits>

#include "app/about_dialog.h"
#include "app/bench_dialog.h"
#include "genui/application.h"
#include "genui/kadril_frame.h"

namespace app_test {
namespace {

static_assert(std::is_base_of_v<CWinApp, CKadrilApp> && std::is_base_of_v<CKadrilApp, Ckv_Application>);
static_assert(std::is_base_of_v<CFrameWnd, CKadrilFrameWnd> && std::is_base_of_v<CKadrilFrameWnd, Ckv_MainBaseWnd> &&
              std::is_base_of_v<Ckv_MainBaseWnd, Ckv_MainWnd>);
static_assert(std::is_base_of_v<CModalDialog, CKadrilModalDlg> && std::is_base_of_v<CKadrilModalDlg, Ckv_AboutBaseDlg> &&
              std::is_base_of_v<Ckv_AboutBaseDlg, Ckv_AboutDlg>);
static_assert(std::is_base_of_v<CDialog, CKadrilClientDlg> && !std::is_base_of_v<CModalDialog, CKadrilClientDlg> &&
              std::is_base_of_v<CKadrilClientDlg, Ckv_MainWinControlsBaseDlg> &&
              std::is_base_of_v<Ckv_MainWinControlsBaseDlg, Ckv_MainWinControlsDlg>);
static_assert(std::is_base_of_v<CDialog, CKadrilModelessDlg> && !std::is_base_of_v<CModalDialog, CKadrilModelessDlg>);
// None of them adds data.
static_assert(sizeof(Ckv_MainWnd) == sizeof(CFrameWnd) && sizeof(Ckv_MainWinControlsDlg) == sizeof(CDialog) &&
              sizeof(Ckv_AboutDlg) == sizeof(CModalDialog));

TEST(Classes, RunTimeClassesAreTheFrameworkBases) {
  EXPECT_EQ(TheApp.GetRuntimeClass(), RUNTIME_CLASS(CWinApp));
  Ckv_MainWnd* frame = new Ckv_MainWnd;
  EXPECT_EQ(frame->GetRuntimeClass(), RUNTIME_CLASS(CFrameWnd));
  delete frame;
  Ckv_MainWinControlsDlg* panel = new Ckv_MainWinControlsDlg;
  EXPECT_EQ(panel->GetRuntimeClass(), RUNTIME_CLASS(CDialog));
  delete panel;
  Ckv_AboutDlg about("ABOUT", nullptr);
  EXPECT_EQ(about.GetRuntimeClass(), RUNTIME_CLASS(CModalDialog));
  EXPECT_TRUE(about.IsKindOf(RUNTIME_CLASS(CDialog)));
}

}  // namespace
}  // namespace app_test
