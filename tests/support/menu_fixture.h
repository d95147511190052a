#pragma once

// A small menu file with every kind of section and line the reader knows.
inline constexpr const char* kSampleMenuText = R"(// sample menus
***MENUGROUP=SAMPLE

***POP1
**FILE
ID_MnFile [&File]
  ID_New  [&New\tCtrl+N]^C^C_new
ID_Sep [--]
ID_MRU [Recent]
ID_MnRecent [->&More]
   ID_Open [&Open]^C^C_open
   ID_Save [<-&Save]^C^C_qsave
ID_Quit [E&xit]^C^C_quit
***POP2
**EDIT
ID_MnEdit [&Edit]
ID_Copy [&Copy\tCtrl+C]^C^C_copyclip
ID_APP_ABOUT [&About]^C^C_about
***TOOLBARS
**TB_MAIN
ID_TbMain [_Toolbar("Main", _Left, _Show, 10, 20, 1)]
ID_New [_Button("New", ICON_NEW_16, ICON_NEW_24)]^C^C_new
ID_Sep [--]
ID_Line [_Button("Line", ICON_LINE)]^C^C_line
**TB_EMPTY
ID_TbEmpty [_Toolbar("Empty", _Floating, _Hide, 5, 6, 2)]
***HELPSTRINGS
ID_New [Creates a drawing]
ID_Copy [Copies to the clipboard]
***ACCELERATORS
ID_Copy [CONTROL+"C"]
[CONTROL+SHIFT+"S"]^C^C_saveas
ID_Line ["F5"]
)";
