#pragma once

class FcFiler;
class FcFilerDwg;
class FcSystemVar;
struct DwgSectionLocator;

// The drawing's settings in the HEADER section of DXF files and in the
// header-variables section of DWG files. Files are written as release 2000;
// DWG headers of releases 13 and 14 are read as well.

// The whole HEADER section, "SECTION" to "ENDSEC"; 0.
int WriteDxfHeader(const FcSystemVar& vars, FcFiler& filer);
// From after the "HEADER" name group up to and including "ENDSEC": 0; 1 when
// the data ends or a group cannot be read before "ENDSEC", or a variable
// name is empty. Every value goes through the rule of its variable; names
// the drawing does not keep are passed over.
int ReadDxfHeader(FcSystemVar& vars, FcFiler& filer);

// The header-variables section at the file position, which must lie on a
// byte boundary; its address and size go into the locator. 0.
int WriteDwgHeader(const FcSystemVar& vars, FcFilerDwg& filer, DwgSectionLocator& locator);
// Reads the section at the locator's address, the release chosen by the
// filer's version: 0, or 2 when it cannot be found, a sentinel differs, a
// value cannot be read or the CRC differs. Values read before a failure
// stay; they are stored without the variables' rules, except that LUPREC
// and AUPREC are brought into 0..8 and the UCS is made through SetUcs.
int ReadDwgHeader(FcSystemVar& vars, FcFilerDwg& filer, const DwgSectionLocator& locator);
