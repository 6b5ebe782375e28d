/* Resource identifiers. windres reads only the #defines in this file. */
#define IDI_APP         101
#define IDD_SELECT      102

#define IDC_EXPLORER    1000
#define IDC_IE          1001
#define IDC_NETSCAPE    1002
#define IDC_KEEPTOP     1003
#define IDC_VERSION     1004

#define IDS_ABOUT_CAPTION   1
#define IDS_ABOUT_TEXT      2
