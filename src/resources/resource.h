#pragma once
// Identifiers of the images built into Wisplet.exe (see wisplet.rc). The files
// are drawn by tools/draw_images.cpp.
//
// The glyphs, menu images and page buttons are also built in as drawn for
// 125, 150 and 200 % display scales, under these identifiers + 1000, + 2000
// and + 3000; image_scale.h picks the identifier for a DPI. The sizes below
// are those at 100 %.

// The program's icon, also shown in the notification area. Being the first
// icon resource, Explorer shows it for the exe. It holds 16, 20, 24, 32, 40
// and 48 pixel images with alpha, so that every size asked for is drawn.
#define IDI_WISPLET 1

// Title-bar button glyphs of a note, 16x16, pure white is transparent.
// Each "_DOWN" bitmap is the pressed look of the one before it.
#define IDB_GLYPH_MENU 101
#define IDB_GLYPH_MENU_DOWN 102
#define IDB_GLYPH_HIDE 105
#define IDB_GLYPH_HIDE_DOWN 106
#define IDB_GLYPH_PIN_OFF 110       // on-top button while the note is not on top
#define IDB_GLYPH_PIN_OFF_DOWN 111
#define IDB_GLYPH_PIN_ON 112        // on-top button while the note is on top
#define IDB_GLYPH_PIN_ON_DOWN 113
#define IDB_GLYPH_CLOSE 115
#define IDB_GLYPH_CLOSE_DOWN 116

// Images of the tray menu's items, 16x16, magenta (255,0,255) is transparent.
#define IDB_MENU_NEW 200
#define IDB_MENU_OPTIONS 201
#define IDB_MENU_HELP 202
#define IDB_MENU_ABOUT 203

// The options window's page buttons, 32x32, magenta is transparent.
#define IDB_OPTIONS_SYSTEM 300
#define IDB_OPTIONS_COLORS 301

// The About window's picture, 16x11, stretched under the information sign.
#define IDB_ABOUT_PICTURE 310
