// Identifiers of the framework's texts in the program's string table. The application's .rc
// includes this file and carries the texts; without them the framework uses the same texts
// built in. Plain #defines: windres reads this file too.
#pragma once

#define IDS_VEK_SCREENSAVEUSEPASSWORD 64000  /* "ScreenSaveUsePassword" */
#define IDS_VEK_PASSWORD_CPL 64001           /* "Password.cpl" */
#define IDS_VEK_VERIFYSCREENSAVEPWD 64002    /* "VerifyScreenSavePwd" */
#define IDS_VEK_CONTROL_PANEL_DESKTOP 64003  /* "Control Panel\Desktop" */
#define IDS_VEK_SCREEN_SAVERS_KEY 64004      /* "Software\Microsoft\Windows\CurrentVersion\Screen Savers" */
#define IDS_VEK_UNKNOWN_ERROR 64005          /* "Unknown error" */
