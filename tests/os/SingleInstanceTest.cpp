// Single instance with two real processes.
#include <gtest/gtest.h>

#include <QProcess>

#include <unistd.h>

#include <string>

namespace {

// A name of this test run only, so that a copy of the real program running
// on this machine is neither disturbed nor in the way.
QString UniqueName()
{
    return QStringLiteral("vuvuviro-test-%1").arg(getpid());
}

class Copy {
public:
    explicit Copy(const QString& name)
    {
        process.start(QStringLiteral(SINGLE_INSTANCE_HELPER), {name});
        EXPECT_TRUE(process.waitForStarted());
    }
    ~Copy()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
    }
    QString ReadLine(int timeoutMs = 5000)
    {
        if (!process.canReadLine())
            process.waitForReadyRead(timeoutMs);
        return QString::fromUtf8(process.readLine()).trimmed();
    }
    QProcess process;
};

TEST(SingleInstance, SecondCopyRaisesTheFirstAndExitsZero)
{
    const QString name = UniqueName();
    Copy first(name);
    ASSERT_EQ(first.ReadLine(), "first");

    Copy second(name);
    ASSERT_TRUE(second.process.waitForFinished(5000));
    EXPECT_EQ(second.process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process.exitCode(), 0);
    EXPECT_EQ(second.ReadLine(), "second");

    // The first copy got the request on its event loop and stops on it.
    EXPECT_EQ(first.ReadLine(), "raised");
    ASSERT_TRUE(first.process.waitForFinished(5000));
    EXPECT_EQ(first.process.exitCode(), 0);
}

TEST(SingleInstance, NameIsFreeAgainAfterKillMinus9)
{
    const QString name = UniqueName();
    {
        Copy first(name);
        ASSERT_EQ(first.ReadLine(), "first");
        first.process.kill(); // SIGKILL: no clean-up code runs
        ASSERT_TRUE(first.process.waitForFinished(5000));
    }
    Copy next(name);
    EXPECT_EQ(next.ReadLine(), "first");
}

TEST(SingleInstance, NamesAreSeparate)
{
    Copy first(UniqueName());
    ASSERT_EQ(first.ReadLine(), "first");
    Copy other(UniqueName() + "-other");
    EXPECT_EQ(other.ReadLine(), "first");
}

} // namespace
