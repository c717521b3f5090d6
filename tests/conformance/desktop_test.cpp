// The desktop as the program reads it: screen metrics, monitors and their
// areas, and the display settings it re-applies for full screen.
#include <gtest/gtest.h>

#include "platform/win32.h"
#include "tests/conformance/recording_window.h"
#include "tests/conformance/rectangles.h"

namespace {

bool inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

MONITORINFOEXW info_of(HMONITOR monitor) {
  MONITORINFOEXW info{};
  info.cbSize = sizeof info;
  EXPECT_TRUE(GetMonitorInfoW(monitor, &info));
  return info;
}

TEST(Monitors, ThePrimaryMonitorIsTheScreenAndLiesInTheVirtualScreen) {
  HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTONULL);
  ASSERT_NE(primary, nullptr);
  const MONITORINFOEXW info = info_of(primary);
  EXPECT_EQ(info.dwFlags & MONITORINFOF_PRIMARY, static_cast<DWORD>(MONITORINFOF_PRIMARY));
  EXPECT_EQ(info.rcMonitor, (RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
  EXPECT_TRUE(inside(info.rcWork, info.rcMonitor));
  EXPECT_NE(info.szDevice[0], 0);
  const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const RECT virtual_screen{x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                            y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  EXPECT_TRUE(inside(info.rcMonitor, virtual_screen));

  MONITORINFO short_info{};
  short_info.cbSize = sizeof short_info;
  ASSERT_TRUE(GetMonitorInfoW(primary, &short_info));
  EXPECT_EQ(short_info.rcWork, info.rcWork);
  short_info.cbSize = sizeof short_info + 4;
  EXPECT_FALSE(GetMonitorInfoW(primary, &short_info));
}

TEST(Monitors, APointOffEveryMonitorFollowsTheFlags) {
  HMONITOR primary = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTONULL);
  const POINT far_away{-100000, -100000};
  EXPECT_EQ(MonitorFromPoint(far_away, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(MonitorFromPoint(far_away, MONITOR_DEFAULTTOPRIMARY), primary);
  EXPECT_NE(MonitorFromPoint(far_away, MONITOR_DEFAULTTONEAREST), nullptr);
}

TEST(Monitors, AWindowIsOnTheMonitorThatHoldsIt) {
  conformance::recording_class recorder;
  HWND w = recorder.create_shown_popup(30, 30, 100, 100);
  EXPECT_EQ(MonitorFromWindow(w, MONITOR_DEFAULTTONULL),
            MonitorFromPoint(POINT{30, 30}, MONITOR_DEFAULTTONULL));
}

TEST(DisplaySettings, OnlyTheCurrentModeIsAcceptedForFullScreen) {
  const MONITORINFOEXW info = info_of(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  ASSERT_TRUE(EnumDisplaySettingsW(info.szDevice, ENUM_CURRENT_SETTINGS, &mode));
  EXPECT_EQ(static_cast<LONG>(mode.dmPelsWidth), info.rcMonitor.right - info.rcMonitor.left);
  EXPECT_EQ(static_cast<LONG>(mode.dmPelsHeight), info.rcMonitor.bottom - info.rcMonitor.top);
  EXPECT_EQ(mode.dmBitsPerPel, 32u);

  EXPECT_EQ(ChangeDisplaySettingsW(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(ChangeDisplaySettingsW(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
  DEVMODEW odd = mode;
  odd.dmPelsWidth = 1234;
  odd.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
  EXPECT_EQ(ChangeDisplaySettingsW(&odd, CDS_FULLSCREEN), DISP_CHANGE_BADMODE);
}

// Full screen re-applies a monitor's own mode, named by its device, and puts
// the mode back with the same call and no mode; a null name means the primary.
TEST(DisplaySettings, AMonitorsModeIsAppliedAndRestoredByItsDeviceName) {
  const MONITORINFOEXW info = info_of(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  ASSERT_TRUE(EnumDisplaySettingsW(info.szDevice, ENUM_CURRENT_SETTINGS, &mode));

  EXPECT_EQ(ChangeDisplaySettingsExW(info.szDevice, &mode, nullptr, CDS_FULLSCREEN, nullptr),
            DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(ChangeDisplaySettingsExW(info.szDevice, nullptr, nullptr, 0, nullptr), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(ChangeDisplaySettingsExW(nullptr, &mode, nullptr, CDS_FULLSCREEN, nullptr),
            DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(ChangeDisplaySettingsExW(nullptr, nullptr, nullptr, 0, nullptr), DISP_CHANGE_SUCCESSFUL);
  DEVMODEW odd = mode;
  odd.dmPelsWidth = 1234;
  odd.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
  EXPECT_EQ(ChangeDisplaySettingsExW(info.szDevice, &odd, nullptr, CDS_FULLSCREEN, nullptr),
            DISP_CHANGE_BADMODE);

  // The resolution is what it was.
  DEVMODEW after{};
  after.dmSize = sizeof after;
  ASSERT_TRUE(EnumDisplaySettingsW(info.szDevice, ENUM_CURRENT_SETTINGS, &after));
  EXPECT_EQ(after.dmPelsWidth, mode.dmPelsWidth);
  EXPECT_EQ(after.dmPelsHeight, mode.dmPelsHeight);
}

}  // namespace
