#include "platform/win32.h"
#include "viewer/myapp.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR command_line, int show) {
  myapp application;
  return application.run(__argc, __wargv);
}
