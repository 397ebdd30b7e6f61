// The help browser: local pages only, links between them followed inside the window.
#include "ui/help_window.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace vh::ui {

HelpWindow::HelpWindow(const QString& helpDir, QWidget* parent)
    : QWidget(parent, Qt::Window), helpDir_(helpDir) {
    setWindowTitle("VARDENHOLM ﾍﾙﾌﾟ");
    resize(760, 640);
    auto* v = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    auto* back = new QPushButton("← 戻る", this);
    auto* forward = new QPushButton("進む →", this);
    auto* contents = new QPushButton("目次", this);
    auto* close = new QPushButton("閉じる", this);
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    back->setToolTip(QKeySequence(QKeySequence::Back).toString(QKeySequence::NativeText));
    forward->setToolTip(QKeySequence(QKeySequence::Forward).toString(QKeySequence::NativeText));
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addWidget(contents);
    bar->addStretch(1);
    bar->addWidget(close);
    v->addLayout(bar);

    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(false);
    browser_->setSearchPaths({helpDir_});
    v->addWidget(browser_, 1);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents, &QPushButton::clicked, this, &HelpWindow::home);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    home();
}

void HelpWindow::home() {
    const QString intro = QDir(helpDir_).absoluteFilePath("intro.html");
    if (QFileInfo::exists(intro)) {
        browser_->setSource(QUrl::fromLocalFile(intro));
    } else {
        browser_->setHtml("<h2>VARDENHOLM</h2><p>ヘルプファイル " + intro.toHtmlEscaped() +
                          " が見つかりません。</p>");
    }
}

} // namespace vh::ui
