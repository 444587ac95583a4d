#include <vector>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "export/PeriodReport.h"
#include "support/EnglishInterface.h"
#include "support/JournalFiles.h"
#include "support/ListedSamples.h"
#include "support/PdfText.h"

namespace {

using Kind = JournalEvent::Kind;

const QDateTime kFrom(QDate(2026, 11, 2), QTime(8, 0, 0), Qt::OffsetFromUTC, 8 * 3600);
const QDateTime kTo = kFrom.addSecs(2 * 3600);

// Two hours a second apart: PV 20 with one peak of 95, SV 20 and from 08:30
// on 25, OP 50 and then 60, ALM1 on for the first ten minutes, and a minute
// missing at 09:00.
std::vector<PeriodSample> twoHours()
{
    std::vector<PeriodSample> samples;
    for (int second = 0; second < 2 * 3600; ++second) {
        if (second >= 3600 && second < 3660)
            continue;
        PeriodSample s;
        s.utcMs = kFrom.toMSecsSinceEpoch() + second * 1000LL;
        s.utcOffset = 8 * 3600;
        s.pv = second == 5000 ? 95.0f : 20.0f;
        s.sv = second < 1800 ? 20.0f : 25.0f;
        s.op = second < 1800 ? 50.0f : 60.0f;
        s.alarmBits = static_cast<uint16_t>(second < 600 ? 1 : 0);
        samples.push_back(s);
    }
    return samples;
}

int pdfPages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = file.readAll();
    return static_cast<int>(pdf.count("/Type /Page") - pdf.count("/Type /Pages"));
}

using PdfText::squeezed;

JournalEvent write(const QDateTime& time, const QString& what, const QString& oldValue, const QString& newValue)
{
    JournalEvent e = JournalFiles::event(Kind::Write, time, what);
    e.source = QStringLiteral("端口 1 地址 1");
    e.oldValue = oldValue;
    e.newValue = newValue;
    e.outcome = QStringLiteral("ok");
    e.user = QStringLiteral("operator");
    return e;
}

JournalEvent failedWrite(const QDateTime& time)
{
    JournalEvent e = write(time, QStringLiteral("设定SV"), QStringLiteral("25"), QStringLiteral("26"));
    e.outcome = QStringLiteral("failed");
    return e;
}

struct ReportFixture : ::testing::Test {
    QTemporaryDir dir;
    ListedSamples samples{twoHours()};

    PeriodReportRequest request()
    {
        PeriodReportRequest r;
        r.path = dir.filePath(QStringLiteral("report.pdf"));
        r.instrument = QStringLiteral("TQ5800 地址 1");
        r.from = kFrom;
        r.to = kTo;
        r.samples = &samples;
        r.band = 5.0;
        r.journalPath = dir.filePath(QStringLiteral("journal.sqlite"));
        return r;
    }
};

TEST_F(ReportFixture, holdsHeadingPeriodStatisticsAndThePeriodsAlarmsAndWritesAsText)
{
    ASSERT_TRUE(JournalFiles::append(
        request().journalPath,
        {
            write(kFrom.addSecs(-60), QStringLiteral("写在时段之前"), QStringLiteral("1"), QStringLiteral("2")),
            JournalFiles::event(Kind::AlarmRaised, kFrom.addSecs(1), QStringLiteral("ALM1")),
            JournalFiles::event(Kind::LinkFailing, kFrom.addSecs(3600), QStringLiteral("不属报表")),
            JournalFiles::event(Kind::AlarmCleared, kFrom.addSecs(600), QStringLiteral("ALM1")),
            write(kFrom.addSecs(1800), QStringLiteral("设定SV"), QStringLiteral("20"), QStringLiteral("25")),
            write(kTo, QStringLiteral("写在时段之后"), QStringLiteral("3"), QStringLiteral("4")),
        }));
    QString error;
    ASSERT_TRUE(writePeriodReport(request(), error)) << error.toStdString();
    EXPECT_EQ(pdfPages(request().path), 2);

    const QString text = squeezed(PdfText::of(request().path));
    ASSERT_FALSE(text.isEmpty()) << "pdftotext gave nothing";
    for (const QString& expected : {
             QStringLiteral("周期报表"), QStringLiteral("TQ5800 地址 1"),
             QStringLiteral("时段 2026-11-02 08:00:00 至 2026-11-02 09:59:59"),  // the last second, as the dialog names it
             QStringLiteral("最小 20.0"), QStringLiteral("最大 95.0"),
             QStringLiteral("ALM1 00:10:00"), QStringLiteral("ALM2 00:00:00"),
             QStringLiteral("PV 超出 SV ± 5.0 的时间  00:00:01"),
             QStringLiteral("间断 1 处，共 00:01:00"), QStringLiteral("7140 个采样"),
             QStringLiteral("报警事件与操作记录  3 条"),
             QStringLiteral("2026-11-02 08:00:01"), QStringLiteral("报警发生"), QStringLiteral("报警解除"),
             QStringLiteral("2026-11-02 08:30:00"), QStringLiteral("设定SV"), QStringLiteral("成功"),
             QStringLiteral("第 2 页 / 共 2 页")})
        EXPECT_TRUE(text.contains(squeezed(expected))) << expected.toStdString() << "\n" << text.toStdString();
    for (const QString& absent :
         {QStringLiteral("写在时段之前"), QStringLiteral("写在时段之后"), QStringLiteral("不属报表"),
          QStringLiteral("报警状态未知")})
        EXPECT_FALSE(text.contains(absent)) << absent.toStdString();
}

TEST_F(ReportFixture, inEnglishTheReportsOwnTextsAreEnglishAndUncutWhileTheJournalsStoredTextsStay)
{
    EnglishInterface english;
    ASSERT_TRUE(JournalFiles::append(
        request().journalPath,
        {
            JournalFiles::event(Kind::AlarmRaised, kFrom.addSecs(1), QStringLiteral("ALM1")),
            JournalFiles::event(Kind::AlarmCleared, kFrom.addSecs(600), QStringLiteral("ALM1")),
            write(kFrom.addSecs(1800), QStringLiteral("设定SV"), QStringLiteral("20"), QStringLiteral("25")),
            failedWrite(kFrom.addSecs(1900)),
        }));
    std::vector<PeriodSample> copied = twoHours();
    for (PeriodSample& s : copied)
        s.alarmBits.reset();  // the longest statistics line
    ListedSamples fromRing(copied);
    PeriodReportRequest r = request();
    r.samples = &fromRing;
    QString error;
    ASSERT_TRUE(writePeriodReport(r, error)) << error.toStdString();

    const QString text = PdfText::of(r.path);
    const QString squeezedText = squeezed(text);
    for (const QString& expected :
         {QStringLiteral("Period Report"), QStringLiteral("Period 2026-11-02 08:00:00 to 2026-11-02 09:59:59"),
          QStringLiteral("Page 2 of 2"), QStringLiteral("min 20.0"), QStringLiteral("max 95.0"),
          QStringLiteral("Time with PV outside SV ± 5.0  00:00:01"),
          QStringLiteral("Time with alarm state unknown  01:59:00 (these records hold no alarm state)"),
          QStringLiteral("Samples copied from the ring (which keeps no alarm state) or taken while the alarm inputs went unread; not in the alarm times above"),
          QStringLiteral("Recorded  01:59:00 (7140 samples)    gaps 1, total 00:01:00"),
          QStringLiteral("Alarm and operator events  4"), QStringLiteral("Alarm raised"),
          QStringLiteral("Alarm cleared"), QStringLiteral("Instrument write"), QStringLiteral("Details"),
          QStringLiteral("OK"), QStringLiteral("Failed"), QStringLiteral("设定SV"), QStringLiteral("端口 1 地址 1")})
        EXPECT_TRUE(squeezedText.contains(squeezed(expected))) << expected.toStdString() << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains(QChar(0x2026))) << "a text cut short:\n" << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("周期报表")));
}

TEST_F(ReportFixture, aLongJournalRunsOverSeveralPagesWithEveryRowOnce)
{
    const int events = 150;
    ASSERT_TRUE(JournalFiles::appendMade(request().journalPath, events, [](int64_t i) {
        return write(kFrom.addSecs(10 * i), QStringLiteral("参数%1").arg(i, 3, 10, QLatin1Char('0')),
                     QString::number(i), QString::number(i + 1));
    }));
    QString error;
    ASSERT_TRUE(writePeriodReport(request(), error)) << error.toStdString();
    const int pages = pdfPages(request().path);
    EXPECT_GE(pages, 4);

    const QString text = squeezed(PdfText::of(request().path));
    for (int i = 0; i < events; ++i) {
        const QString what = QStringLiteral("参数%1").arg(i, 3, 10, QLatin1Char('0'));
        EXPECT_EQ(text.count(what), 1) << what.toStdString();
    }
    EXPECT_TRUE(text.contains(QStringLiteral("第%1页/共%1页").arg(pages)));
    // Oldest first: the first row is on the second page.
    EXPECT_LT(text.indexOf(QStringLiteral("参数000")), text.indexOf(QStringLiteral("参数149")));
}

TEST_F(ReportFixture, withoutAJournalFileIsOnePageThatSaysSo)
{
    QString error;
    ASSERT_TRUE(writePeriodReport(request(), error)) << error.toStdString();
    EXPECT_EQ(pdfPages(request().path), 1);
    EXPECT_TRUE(PdfText::of(request().path).contains(QStringLiteral("无事件记录文件")));
    EXPECT_FALSE(QFile::exists(request().journalPath));
}

TEST_F(ReportFixture, samplesWithoutAlarmBitsAreReportedAsUnknown)
{
    std::vector<PeriodSample> copied = twoHours();
    for (PeriodSample& s : copied)
        s.alarmBits.reset();
    ListedSamples fromRing(copied);
    PeriodReportRequest r = request();
    r.samples = &fromRing;
    QString error;
    ASSERT_TRUE(writePeriodReport(r, error)) << error.toStdString();
    const QString text = squeezed(PdfText::of(r.path));
    EXPECT_TRUE(text.contains(QStringLiteral("报警状态未知的时间01:59:00")));
    EXPECT_TRUE(text.contains(squeezed(QStringLiteral("即取自环形记录（不存报警状态）或报警输入未读到时的采样所代表的时间，不计入上面的报警时间"))))
        << text.toStdString();
}

TEST_F(ReportFixture, aFailedReadOrABadPeriodLeavesTheFileAtThePathAsItWas)
{
    QFile old(request().path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the report before");
    old.close();

    ListedSamples failing({}, QStringLiteral("磁盘错误"));
    PeriodReportRequest r = request();
    r.samples = &failing;
    QString error;
    EXPECT_FALSE(writePeriodReport(r, error));
    EXPECT_TRUE(error.contains(QStringLiteral("磁盘错误"))) << error.toStdString();

    r = request();
    r.to = r.from;
    error.clear();
    EXPECT_FALSE(writePeriodReport(r, error));
    EXPECT_FALSE(error.isEmpty());

    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("the report before"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("report.pdf")});
}

bool nearly(QRgb pixel, const QColor& colour)
{
    return std::abs(qRed(pixel) - colour.red()) < 40 && std::abs(qGreen(pixel) - colour.green()) < 40 &&
           std::abs(qBlue(pixel) - colour.blue()) < 40;
}

TEST_F(ReportFixture, theFirstPageShowsTheTrendInTheChartsColours)
{
    QString error;
    ASSERT_TRUE(writePeriodReport(request(), error)) << error.toStdString();
    QProcess pdftoppm;
    const QString stem = dir.filePath(QStringLiteral("page"));
    pdftoppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("100"),
                                                 QStringLiteral("-singlefile"), request().path, stem});
    ASSERT_TRUE(pdftoppm.waitForFinished(30000));
    QImage page(stem + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    page = page.convertToFormat(QImage::Format_RGB32);
    EXPECT_GT(page.width(), page.height());  // landscape

    int background = 0;
    int pv = 0;
    int sv = 0;
    int op = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QRgb p = page.pixel(x, y);
            background += nearly(p, QColor(192, 255, 255));
            pv += nearly(p, QColor(255, 0, 0));
            sv += nearly(p, QColor(0, 0, 192));
            op += nearly(p, QColor(128, 128, 0));
        }
    EXPECT_GT(background, page.width() * page.height() / 4);
    EXPECT_GT(pv, page.width() / 2);  // the PV line across the plot
    EXPECT_GT(sv, page.width() / 4);
    EXPECT_GT(op, page.width() / 2);

    const QDir out(QStringLiteral(TQ5800_REPORT_PICTURES_DIR));
    ASSERT_TRUE(out.mkpath(QStringLiteral(".")));
    EXPECT_TRUE(page.save(out.filePath(QStringLiteral("period-report.png"))));
}

} // namespace
