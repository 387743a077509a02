#pragma once
// Resource ids shared by vexal.rc and the code. Plain #defines, as windres reads this file too.

#define IDI_VEXAL 1

// Pictures of buttons and menu items; items that show the same picture share an id.
// Transparency: a true-colour picture is a 32-bit bitmap whose alpha is 0 or 255; its transparent
// pixels are all zero, which is valid premultiplied data, so AlphaBlend with AC_SRC_ALPHA draws it
// (load it with LR_CREATEDIBSECTION to keep the alpha). A 16-colour picture is a 4-bit bitmap whose
// transparent pixels are magenta, RGB(255, 0, 255), a colour no picture uses otherwise: key it out
// (TransparentBlt, or a mask built from it).
#define IDB_RUN 101       /* 16 x 16, true colour: Run, Log, Run ET, PB update, ET log, support docs */
#define IDB_QUIT 102      /* 16 x 16, true colour */
#define IDB_BACKUP 103    /* 16 x 16, true colour */
#define IDB_ASE 104       /* 14 x 14, true colour: ASE button, Run All Seeing Eye, tray's Run ASE */
#define IDB_README 106    /* 16 x 16, 16 colours */
#define IDB_SELDIR 107    /* 16 x 16, 16 colours */
#define IDB_NOTEPAD 108   /* 16 x 16, 16 colours */
#define IDB_SELMAP 109    /* 16 x 16, 16 colours */
#define IDB_ABOUT 110     /* 16 x 16, 16 colours */
#define IDB_EDITOR 111    /* 17 x 17, 16 colours */
#define IDB_RESTORE 112   /* 17 x 17, 16 colours */
#define IDB_EDIT 113      /* 17 x 17, 16 colours */
#define IDB_DEMO 114      /* 17 x 17, 16 colours */
#define IDB_PICTURE 115   /* 17 x 17, 16 colours */
#define IDB_LOGFILES 116  /* 17 x 17, 16 colours */
#define IDB_CHANGES 117   /* 17 x 17, 16 colours */
#define IDB_INFO 118      /* 14 x 14, 16 colours: Info button, map info item, tray's Show Vexal */
#define IDB_ASELOG 119    /* 18 x 18, 16 colours: ASE buddy log, ASE launch info */
#define IDB_NICK 120      /* 30 x 30, 16 colours */
#define IDB_DOWNLOAD 121  /* 32 x 32, 16 colours */
#define IDB_LOGO 122      /* 160 x 109, true colour: design picture of the map picture box */

#define VEXAL_VERSION_FILE 1, 0, 0, 6
#define VEXAL_VERSION_PRODUCT 1, 0, 0, 0
#define VEXAL_VERSION_FILE_STR "1.0.0.6"
#define VEXAL_VERSION_PRODUCT_STR "1.0.0.0"
