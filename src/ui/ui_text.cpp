// Display text, fonts and message boxes of the desktop game.
#include "ui/ui_text.h"

#include "world/numeric.h"
#include "world/text_codec.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QMessageBox>

namespace vh::ui {

QString fieldQText(const WorldState& w, std::string_view bytes) {
    const TextEncoding enc = w.settings.language == 1 ? TextEncoding::Gb2312 : TextEncoding::Cp932;
    return QString::fromStdString(toUtf8(bytes, enc));
}

QString houseName(const WorldState& w, int house) {
    if (house < 0 || house >= kMaxHouses) return {};
    return fieldQText(w, w.houses[house].name);
}

QString castleName(const WorldState& w, int castle) {
    if (castle < 0 || castle >= w.castleCount) return {};
    return fieldQText(w, w.castleSites[castle].name);
}

QString provinceName(const WorldState& w, int province) {
    if (province < 0 || province >= w.provinceCount()) return {};
    return fieldQText(w, w.map.provinces[province].name);
}

QString kokuText(int koku) {
    return utf8(formatKoku(koku));
}

QString fontFamily(int language) {
    return language == 1 ? "Noto Sans CJK SC" : "Noto Sans CJK JP";
}

QFont uiFont(int language, int pixelSize) {
    QFont f(fontFamily(language));
    f.setPixelSize(pixelSize);
    return f;
}

void applyApplicationFont(int language) {
    QFont f = QApplication::font();
    f.setFamily(fontFamily(language));
    f.setFamilies({fontFamily(language)});
    QApplication::setFont(f);
}

void showMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Information, "VARDENHOLM", text, QMessageBox::Ok, parent);
    box.exec();
}

bool askOkCancel(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, "VARDENHOLM", text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Cancel)->setText("ｷｬﾝｾﾙ");
    box.setDefaultButton(QMessageBox::Ok); // Enter answers OK
    return box.exec() == QMessageBox::Ok;
}

bool askYesNo(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, "VARDENHOLM", text, QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText("はい");
    box.button(QMessageBox::No)->setText("いいえ");
    return box.exec() == QMessageBox::Yes;
}

bool installQtJapanese(QCoreApplication& app) {
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), "qtbase", "_", dir)) {
        delete translator;
        return false;
    }
    app.installTranslator(translator);
    return true;
}

} // namespace vh::ui
