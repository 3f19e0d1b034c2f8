#pragma once
// The program's version, shared by the version resource and the code.
#define WISPLET_VERSION_MAJOR 1
#define WISPLET_VERSION_MINOR 0
#define WISPLET_VERSION_RELEASE 0
#define WISPLET_VERSION_BUILD 1

#define WISPLET_STR2(x) #x
#define WISPLET_STR(x) WISPLET_STR2(x)

#define WISPLET_FILE_VERSION_TEXT                                                     \
  WISPLET_STR(WISPLET_VERSION_MAJOR) "." WISPLET_STR(WISPLET_VERSION_MINOR) "."       \
      WISPLET_STR(WISPLET_VERSION_RELEASE) "." WISPLET_STR(WISPLET_VERSION_BUILD)
#define WISPLET_PRODUCT_VERSION_TEXT \
  WISPLET_STR(WISPLET_VERSION_MAJOR) "." WISPLET_STR(WISPLET_VERSION_MINOR)

#define WISPLET_INTERNAL_NAME "Wisplet"
#define WISPLET_EXE_NAME "Wisplet.exe"
#define WISPLET_COMPANY_NAME "Wisplet Software"
#define WISPLET_PRODUCT_NAME "Wisplet Desktop Notes"
#define WISPLET_COPYRIGHT "Copyright (C) 2026"
// The address behind the About window's mail link, shown in full in its caption.
#define WISPLET_SUPPORT_ADDRESS "help@wisplet.example"
