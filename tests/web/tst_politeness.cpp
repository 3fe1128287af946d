// The client's manners: Retry-After read, challenge pages told, and what one request does when
// the server asks it to wait or refuses it.

#include <chrono>

#include "fakes.h"
#include "table.h"
#include "web/politeness.h"

using namespace kestrix;
using namespace kestrix::test;

namespace {

// 2026-12-09 10:00:00 UTC
const auto now = std::chrono::system_clock::from_time_t(1796810400);

} // namespace

class TestPoliteness : public QObject {
    Q_OBJECT
    EventRecorder events_;
    TitleRecorder titles_;

  private slots:
    void init() {
        events_ = EventRecorder();
        titles_ = TitleRecorder();
    }

    // The header's value, then the seconds it asks for ("-": none).
    void retryafter_data() {
        addrows({{"seconds", "2", "2"},
                 {"blanks", " 17 ", "17"},
                 {"zero", "0", "0"},
                 {"a date", "Wed, 09 Dec 2026 10:00:20 GMT", "20"},
                 {"a date gone by", "Wed, 09 Dec 2026 09:00:00 GMT", "0"},
                 {"not GMT", "Wed, 09 Dec 2026 10:00:20 CET", "-"},
                 {"no month", "Wed, 09 Foo 2026 10:00:20 GMT", "-"},
                 {"a fraction", "1.5", "-"},
                 {"negative", "-3", "-"},
                 {"words", "soon", "-"},
                 {"empty", "", "-"}});
    }
    void retryafter() {
        QFETCH(QByteArrayList, r);
        const auto seconds = retryafterseconds(r[0].toStdString(), now);
        QCOMPARE(seconds ? QByteArray::number(*seconds) : QByteArray("-"), r[1]);
    }

    void challenge_data() {
        addrows({{"challenge", "<html><head><title>Just a moment...</title>", "y"},
                 {"any case, blanks", "<HTML><TITLE> Just a moment... </TITLE>", "y"},
                 {"another title", "<title>Pentane</title>Just a moment...", ""},
                 {"no title", "Just a moment...", ""},
                 {"unclosed", "<title>Just a moment...", ""}});
    }
    void challenge() {
        QFETCH(QByteArrayList, r);
        QCOMPARE(ischallenge(r[0].toStdString()), r[1] == "y");
    }

    // The statuses the server answers with, one per attempt (with a Retry-After after "/"),
    // then: the attempts made, the sleeps in ms (joined; each wait goes in steps of 100), the
    // body given back, and the flags of the result (w: asked to wait, r: refused).
    void ask_data() {
        addrows({{"plain answer", "200", "1", "", "page", ""},
                 {"an error is no matter of manners", "500", "1", "", "", ""},
                 {"429, then the page", "429/2 200", "2", "20x100", "page", ""},
                 {"503 without Retry-After waits 5 s", "503 200", "2", "50x100", "page", ""},
                 {"twice asked", "429/1 429/1", "2", "10x100", "", "w"},
                 {"too long a wait", "429/31", "1", "", "", "w"},
                 {"forbidden", "403", "1", "", "", "r"},
                 {"a challenge page with 503", "503c", "1", "", "", "r"},
                 {"a challenge page with 200", "200c", "1", "", "", "r"}});
    }
    void ask() {
        QFETCH(QByteArrayList, r);
        const QByteArrayList answers = r[0].split(' ');
        Politeness politeness(events_, titles_);
        politeness.newsearch();
        int attempts = 0;
        TransferResult result;
        const std::string body = politeness.ask(
            [&](TransferResult& out) {
                QByteArray answer = answers.value(attempts++, "200");
                const bool challenge = answer.endsWith('c');
                if (challenge) answer.chop(1);
                const QByteArrayList parts = answer.split('/');
                out = outcome(parts[0] == "200", parts[0].toInt());
                if (parts.size() > 1) out.retryafter = parts[1].toStdString();
                const std::string page =
                    challenge ? "<title>Just a moment...</title>" : std::string("page");
                if (!out.succeeded) out.errorpage = page;
                return out.succeeded ? page : std::string();
            },
            result, "retrieving X");
        QCOMPARE(attempts, r[1].toInt());
        QByteArray sleeps;
        int hundreds = 0;
        for (int ms : events_.sleeps) {
            if (ms == 100) {
                ++hundreds;
            } else if (ms > 800) {
                // the gap kept after a wait, before the second attempt: not counted here
            } else {
                sleeps += QByteArray::number(ms) + " ";
            }
        }
        if (hundreds) sleeps += QByteArray::number(hundreds) + "x100";
        QCOMPARE(sleeps.trimmed(), r[2]);
        QCOMPARE(qb(body), r[3]);
        QCOMPARE(result.askedtowait, r[4].contains('w'));
        QCOMPARE(result.refused, r[4].contains('r'));
        QCOMPARE(politeness.refused(), r[4].contains('r'));
        if (hundreds) QVERIFY(titles_.captions.front().starts_with("waiting "));
    }

    // After a refusal no request goes out until the next search.
    void refusalendsthesearch() {
        Politeness politeness(events_, titles_);
        politeness.newsearch();
        int attempts = 0;
        TransferResult result;
        const auto attempt = [&](TransferResult& out) {
            ++attempts;
            out = outcome(false, 403);
            return std::string();
        };
        politeness.ask(attempt, result, "x");
        politeness.ask(attempt, result, "y");
        QCOMPARE(attempts, 1);
        QVERIFY(result.refused);
        politeness.newsearch();
        QVERIFY(!politeness.refused());
        politeness.ask(attempt, result, "z");
        QCOMPARE(attempts, 2);
    }

    // STOP during the wait ends it: no second attempt.
    void stopendsthewait() {
        Politeness politeness(events_, titles_);
        bool stopped = false;
        politeness.newsearch([&] { return stopped; });
        events_.onsleep = [&] { stopped = events_.sleeps.size() == 3; };
        int attempts = 0;
        TransferResult result;
        politeness.ask(
            [&](TransferResult& out) {
                ++attempts;
                out = outcome(false, 429);
                out.retryafter = "10";
                return std::string();
            },
            result, "x");
        QCOMPARE(attempts, 1);
        QCOMPARE(events_.sleeps.size(), std::size_t(3));
    }

    // Once asked to wait, later requests of the search keep a second between their starts; a
    // new search starts without.
    void pacingafterawait() {
        Politeness politeness(events_, titles_);
        politeness.newsearch();
        TransferResult result;
        int calls = 0;
        const auto attempt = [&](TransferResult& out) {
            const bool first = calls++ == 0;
            out = outcome(!first, first ? 429 : 200);
            out.retryafter = "0";
            return std::string(out.succeeded ? "page" : "");
        };
        politeness.ask(attempt, result, "x"); // 429, then the page after a gap
        events_.sleeps.clear();
        politeness.ask(attempt, result, "y");
        QCOMPARE(events_.sleeps.size(), std::size_t(1));
        QVERIFY(events_.sleeps[0] > 900 && events_.sleeps[0] <= 1000);
        politeness.newsearch();
        events_.sleeps.clear();
        politeness.ask(attempt, result, "z");
        QVERIFY(events_.sleeps.empty());
    }
};

QTEST_APPLESS_MAIN(TestPoliteness)
#include "tst_politeness.moc"
