#include "platform/desktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QTimer>
#include <QUrl>

#include "platform/textcodec.h"

namespace kestrix {

Answer QtMessageBoxes::message(const std::string& text, Buttons buttons) {
    const auto choice = buttons == Buttons::okcancel
                            ? QMessageBox::Ok | QMessageBox::Cancel
                            : QMessageBox::StandardButtons(QMessageBox::Ok);
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), shown(text), choice,
                    parent_);
    return box.exec() == QMessageBox::Ok ? Answer::ok : Answer::cancel;
}

void QtEvents::doevents() {
    QCoreApplication::processEvents();
}

void QtEvents::waitforevents(int ms) {
    // The timer only bounds the wait; any other event ends it sooner.
    QTimer bound;
    bound.setSingleShot(true);
    bound.start(ms);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void QtEvents::sleep(int ms) {
    if (ms <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

void PictureBox::clear() {
    label_->clear();
}

void PictureBox::show(const std::string& bytes) {
    QPixmap picture;
    const QByteArrayView data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (picture.loadFromData(data.toByteArray())) {
        label_->setPixmap(picture);
    } else {
        label_->clear();
    }
}

void DesktopOpener::open(const std::string& target) {
    if (target.empty()) return;
    const QByteArray bytes(target.data(), static_cast<qsizetype>(target.size()));
    QUrl url;
    if (bytes.startsWith("http://") || bytes.startsWith("https://")) {
        url = QUrl::fromEncoded(bytes, QUrl::TolerantMode);
    } else {
        url = QUrl::fromLocalFile(QFile::decodeName(bytes));
    }
    QDesktopServices::openUrl(url);
}

} // namespace kestrix
