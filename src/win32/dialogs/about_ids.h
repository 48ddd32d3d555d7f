// Resource ids of the about dialog, shared by its template and its code.
#pragma once

#define IDI_LOGO 2
#define IDD_ABOUT 300
#define IDC_IMGLOGO 301
#define IDC_IMGICON 302
#define IDC_LBLNAME 303
#define IDC_LBLCOPYRIGHT 304
#define IDC_LBLFREEWARE 305
#define IDC_LBLSUPPORT 306
#define IDC_LBLMAILTO 307
#define IDC_JVLINKLABEL2 308
#define IDC_LBLSURFTO 309
#define IDC_JVLINKLABEL3 310
#define IDC_BTNOK IDOK
