// "ﾊﾞｰｼﾞｮﾝ情報": the program's version, the credit of the map data and the licences of what the
// game uses (Qt, FluidSynth, the SoundFont, the fonts).
#pragma once

#include <QDialog>

namespace vh::ui {

// The version number the build was made with ("0.1.0").
QString programVersion();

class VersionDialog : public QDialog {
    Q_OBJECT
  public:
    explicit VersionDialog(QWidget* parent = nullptr);
};

} // namespace vh::ui
