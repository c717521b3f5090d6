// Process start-up services: the module handle and the start-up information.
#include <gtest/gtest.h>

#include "platform/win32.h"

namespace {

TEST(ModuleHandle, OnlyTheProgramsOwnModuleIsKnown) {
  const HMODULE self = GetModuleHandleW(nullptr);
  EXPECT_NE(self, nullptr);
  EXPECT_EQ(GetModuleHandleW(nullptr), self);
  EXPECT_EQ(GetModuleHandleW(u"user32.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST(StartupInfo, CarriesNoPositionOrSize) {
  STARTUPINFOW info;
  info.dwFlags = 0xFFFFFFFF;
  GetStartupInfoW(&info);
  EXPECT_EQ(info.cb, sizeof info);
  EXPECT_EQ(info.dwFlags & STARTF_USEPOSITION, 0u);
}

}  // namespace
