/* Identifiers of the kit's texts in the program's string table. The application's .rc includes
   this file and carries the texts; without them the kit uses the same texts built in. Plain
   #defines: windres reads this file too. */
#pragma once

#define IDS_SAVERKIT_SCREENSAVEUSEPASSWORD 64000  /* "ScreenSaveUsePassword" */
#define IDS_SAVERKIT_PASSWORD_CPL 64001           /* "Password.cpl" */
#define IDS_SAVERKIT_VERIFYSCREENSAVEPWD 64002    /* "VerifyScreenSavePwd" */
#define IDS_SAVERKIT_CONTROL_PANEL_DESKTOP 64003  /* "Control Panel\Desktop" */
#define IDS_SAVERKIT_SCREEN_SAVERS_KEY 64004      /* "Software\Microsoft\Windows\CurrentVersion\Screen Savers" */
#define IDS_SAVERKIT_UNKNOWN_ERROR 64005          /* "Unknown error" */
