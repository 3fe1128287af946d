#include "windowfixture.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/form1.h"
#include "ui/listbox.h"

namespace kestrix::test {

WindowFixture::WindowFixture() {
    usesamplehost(home_.path() + QStringLiteral("/config"));
}

WindowFixture::~WindowFixture() = default;

bool WindowFixture::startserver(const QString& folder, const QStringList& options) {
    if (!server_.start(folder, options)) return false;
    qputenv("http_proxy", server_.proxy().toLatin1());
    qputenv("no_proxy", "");
    return true;
}

void WindowFixture::setrules(const QByteArray& text) {
    server_.setrules(text);
}

void WindowFixture::startwindow() {
    form_.reset();
    cache_ = freshcache(home_.path() + QStringLiteral("/home%1/cache").arg(++windows_));
    messages_ = MessageRecorder();
    opener_ = OpenRecorder();
    server_.clearlog();
    form_ = std::make_unique<Form1>(Services{&messages_, &opener_, timeoutms_, pause_});
}

void WindowFixture::newwindow(bool keepcache) {
    form_.reset();
    if (!keepcache) {
        cache_ = freshcache(home_.path() + QStringLiteral("/home%1/cache").arg(++windows_));
    }
    messages_ = MessageRecorder();
    opener_ = OpenRecorder();
    form_ = std::make_unique<Form1>(Services{&messages_, &opener_, timeoutms_, pause_});
    form_->Timer1->stop();
    server_.clearlog();
}

void WindowFixture::search(const QString& formula) {
    form_->txtMF->setText(formula);
    form_->Command1_Click();
}

bool WindowFixture::waitidle(int timeoutms) {
    QElapsedTimer clock;
    clock.start();
    int quiet = 0;
    // Quiet for a while: a tick may still be on its way, or a search about to follow another.
    while (clock.elapsed() < timeoutms) {
        const bool idle = !form_->Timer1->isActive() &&
                          form_->Command1->text() == QLatin1String("Search") &&
                          form_->isearching() == 0;
        quiet = idle ? quiet + 1 : 0;
        if (quiet >= 5) return true;
        QTest::qWait(20);
    }
    return false;
}

void WindowFixture::clickrow(int row) {
    ListBox& list = *form_->List1;
    const QRect at = list.visualItemRect(list.item(row));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at.center());
}

QString WindowFixture::notasserved(const SampleValues& values) const {
    const QString dir = QString::fromStdString(cache_);
    for (const QString& name : cachefiles(cache_)) {
        const bool tabulation = name.endsWith(QLatin1String(".csv")) ||
                                (name.endsWith(QLatin1String(".htm")) && !name.contains('-'));
        if (tabulation) continue;
        const auto served = values.cached(name);
        if (!served || readfile(dir + name) != *served) return name;
    }
    return {};
}

void WindowFixture::closewindow() {
    form_.reset();
    setrules({});
}

void WindowFixture::nonetwork() {
    qputenv("http_proxy", "http://127.0.0.1:9");
}

QStringList WindowFixture::column(int n) const {
    QStringList out;
    for (const ListedCompound& compound : form_->List1->compounds()) {
        // The fields as held, not cut from the entry text: a name may hold a tab.
        const std::string fields[] = {compound.sortkey, compound.id, propertycolumn(compound),
                                      compound.name, compound.record};
        out << QString::fromStdString(fields[n]);
    }
    return out;
}

QString WindowFixture::homeofwindow() const {
    return home_.path() + QStringLiteral("/home%1").arg(windows_);
}

} // namespace kestrix::test
