// user32: the screen metrics, monitors and display settings, from the host's
// list of monitors.
//
// The subset cannot change a display's resolution: ChangeDisplaySettingsW
// accepts only the primary monitor's current mode, ChangeDisplaySettingsExW
// only the named monitor's (anything else is DISP_CHANGE_BADMODE). With
// CDS_FULLSCREEN that mode is in effect "for a full-screen program" until the
// same call with no mode, and a visible
// borderless popup that covers a whole monitor meanwhile is shown by the host as
// a full-screen window. Refresh rates are not known: dmDisplayFrequency is 0,
// Windows' value for the hardware's default.
#pragma once

#include "platform/portable/kernel32/types.h"

#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_XVIRTUALSCREEN 76
#define SM_YVIRTUALSCREEN 77
#define SM_CXVIRTUALSCREEN 78
#define SM_CYVIRTUALSCREEN 79

#define MONITOR_DEFAULTTONULL 0x00000000u
#define MONITOR_DEFAULTTOPRIMARY 0x00000001u
#define MONITOR_DEFAULTTONEAREST 0x00000002u
#define MONITORINFOF_PRIMARY 0x00000001u
#define CCHDEVICENAME 32
#define CCHFORMNAME 32

#define ENUM_CURRENT_SETTINGS ((DWORD)-1)
#define ENUM_REGISTRY_SETTINGS ((DWORD)-2)

#define DM_POSITION 0x00000020L
#define DM_BITSPERPEL 0x00040000L
#define DM_PELSWIDTH 0x00080000L
#define DM_PELSHEIGHT 0x00100000L
#define DM_DISPLAYFLAGS 0x00200000L
#define DM_DISPLAYFREQUENCY 0x00400000L

#define CDS_UPDATEREGISTRY 0x00000001u
#define CDS_TEST 0x00000002u
#define CDS_FULLSCREEN 0x00000004u

#define DISP_CHANGE_SUCCESSFUL 0
#define DISP_CHANGE_FAILED (-1)
#define DISP_CHANGE_BADMODE (-2)
#define DISP_CHANGE_BADFLAGS (-4)
#define DISP_CHANGE_BADPARAM (-5)

struct MONITORINFO {
  DWORD cbSize;
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags;
};
typedef MONITORINFO* LPMONITORINFO;

struct MONITORINFOEXW : MONITORINFO {
  WCHAR szDevice[CCHDEVICENAME];
};

struct DEVMODEW {
  WCHAR dmDeviceName[CCHDEVICENAME];
  WORD dmSpecVersion;
  WORD dmDriverVersion;
  WORD dmSize;
  WORD dmDriverExtra;
  DWORD dmFields;
  union {
    struct {
      short dmOrientation;
      short dmPaperSize;
      short dmPaperLength;
      short dmPaperWidth;
      short dmScale;
      short dmCopies;
      short dmDefaultSource;
      short dmPrintQuality;
    };
    struct {
      POINTL dmPosition;
      DWORD dmDisplayOrientation;
      DWORD dmDisplayFixedOutput;
    };
  };
  short dmColor;
  short dmDuplex;
  short dmYResolution;
  short dmTTOption;
  short dmCollate;
  WCHAR dmFormName[CCHFORMNAME];
  WORD dmLogPixels;
  DWORD dmBitsPerPel;
  DWORD dmPelsWidth;
  DWORD dmPelsHeight;
  union {
    DWORD dmDisplayFlags;
    DWORD dmNup;
  };
  DWORD dmDisplayFrequency;
  DWORD dmICMMethod;
  DWORD dmICMIntent;
  DWORD dmMediaType;
  DWORD dmDitherType;
  DWORD dmReserved1;
  DWORD dmReserved2;
  DWORD dmPanningWidth;
  DWORD dmPanningHeight;
};
typedef DEVMODEW* LPDEVMODEW;

// The screen is the primary monitor; the virtual screen the box around all of
// them. Other indices give 0.
int WINAPI GetSystemMetrics(int index);

HMONITOR WINAPI MonitorFromPoint(POINT point, DWORD flags);
// The monitor that holds most of the window; one it does not touch follows the
// flags, the nearest being the one closest to the window's centre.
HMONITOR WINAPI MonitorFromWindow(HWND window, DWORD flags);
// cbSize must be sizeof(MONITORINFO) or sizeof(MONITORINFOEXW).
BOOL WINAPI GetMonitorInfoW(HMONITOR monitor, LPMONITORINFO info);

// The device is a monitor's szDevice, or null for the primary. Mode 0,
// ENUM_CURRENT_SETTINGS and ENUM_REGISTRY_SETTINGS all give the one mode there
// is: the monitor's size at 32 bits per pixel.
BOOL WINAPI EnumDisplaySettingsW(LPCWSTR device, DWORD mode, DEVMODEW* settings);
// The primary monitor's mode, whatever monitor dmDeviceName names, as on Windows.
LONG WINAPI ChangeDisplaySettingsW(DEVMODEW* settings, DWORD flags);
// The mode of the monitor whose szDevice is `device` (null: the primary);
// `reserved` and `parameter` must be null.
LONG WINAPI ChangeDisplaySettingsExW(LPCWSTR device, DEVMODEW* settings, HWND reserved, DWORD flags,
                                     LPVOID parameter);
