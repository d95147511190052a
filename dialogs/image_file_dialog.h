#pragma once

class CImageFileDlg;
class QWidget;

// The image file box: an open-file dialog for one existing BMP or JPEG
// file, starting at the data's path. Its end code; the chosen file goes
// into the data on OK.
int ShowImageFileDialog(CImageFileDlg& data, QWidget* parent);
