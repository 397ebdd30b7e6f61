// "MIDIファイル名設定": the file names of the two background pieces and the switch that silences them.
#pragma once

#include "game/settings_file.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace vh::ui {

class MusicDialog : public QDialog {
    Q_OBJECT
  public:
    MusicDialog(const SettingsFile& settings, QWidget* parent = nullptr);

    // The settings with the dialog's choices (names cut to 39 bytes).
    SettingsFile result() const;
    QLineEdit* nameField(int piece) const { return names_[piece]; }
    QCheckBox* disableSwitch() const { return disable_; }

  private:
    SettingsFile base_;
    QLineEdit* names_[2] = {};
    QCheckBox* disable_ = nullptr;
};

} // namespace vh::ui
