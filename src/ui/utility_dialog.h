// "ユーティリティ": enciphering and deciphering scenario files for their authors, and the choice of
// the VARDENHOLMベンチマーク; with the password and benchmark-years dialogs they need.
#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;
class QSpinBox;

namespace vh::ui {

class UtilityDialog : public QDialog {
    Q_OBJECT
  public:
    explicit UtilityDialog(QWidget* parent = nullptr);

    // After exec(): the benchmark was chosen (the start menu reads a scenario next).
    bool benchmarkChosen() const { return benchmark_; }

    void encipher();
    void decipher();

    // File choosers; tests replace them. An empty string means cancelled.
    std::function<QString(const QString& title)> chooseSource;
    std::function<QString(const QString& title)> chooseOutput;

  private:
    // Asks for the source and the output and checks them; false after a refusal or cancel.
    bool choosePaths(const QString& sourceTitle, QString& source, QString& output);

    bool benchmark_ = false;
};

// "パスワード入力".
class PasswordDialog : public QDialog {
    Q_OBJECT
  public:
    explicit PasswordDialog(QWidget* parent = nullptr);
    QLineEdit* field() const { return field_; }

  private:
    QLineEdit* field_ = nullptr;
};

// "VARDENHOLMベンチマーク": the number of years, 1..1000 (3 at first).
class BenchmarkYearsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit BenchmarkYearsDialog(QWidget* parent = nullptr);
    QSpinBox* yearsField() const { return years_; }
    int years() const;

  private:
    QSpinBox* years_ = nullptr;
};

} // namespace vh::ui
