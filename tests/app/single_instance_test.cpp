// One instance per user: the marker is held while the owner lives and is
// released when it ends, however it ends.

#include "app/single_instance.h"
#include "support/scoped_env.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using brookhum::SingleInstance;
using Result = SingleInstance::Result;
using brookhum::test::ScopedEnv;

namespace {

const QString Name = u"TarnwickBrookhumTest"_s;

} // namespace

TEST(SingleInstance, ASecondOwnerIsRefusedUntilTheFirstEnds)
{
    auto first = std::make_unique<SingleInstance>(Name);
    ASSERT_EQ(first->result(), Result::Acquired);
    EXPECT_EQ(SingleInstance(Name).result(), Result::AlreadyRunning);
    EXPECT_EQ(SingleInstance(Name).result(), Result::AlreadyRunning);
    first.reset();
    EXPECT_EQ(SingleInstance(Name).result(), Result::Acquired);
}

TEST(SingleInstance, AKilledOwnerReleasesTheMarker)
{
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleInstance held(Name);
        const char state = held.result() == Result::Acquired ? 'A' : 'X';
        (void)::write(ready[1], &state, 1);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    char state = 0;
    ASSERT_EQ(::read(ready[0], &state, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(state, 'A');

    EXPECT_EQ(SingleInstance(Name).result(), Result::AlreadyRunning);
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(SingleInstance(Name).result(), Result::Acquired);
}

TEST(SingleInstance, WithoutARuntimeDirectoryAPrivatePerUserFileInTheTempDirectoryServes)
{
    QTemporaryDir temp;
    ScopedEnv noRuntime("XDG_RUNTIME_DIR", QByteArray());
    ScopedEnv tmp("TMPDIR", temp.path().toLocal8Bit());

    SingleInstance marker(Name);
    ASSERT_EQ(marker.result(), Result::Acquired);
    EXPECT_EQ(marker.markerPath(), temp.path() + u"/%1-%2.lock"_s.arg(Name).arg(::getuid()));
    const QFileDevice::Permissions mode = QFileInfo(marker.markerPath()).permissions();
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                            | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    EXPECT_TRUE(mode.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    EXPECT_FALSE(mode & others);
    EXPECT_EQ(SingleInstance(Name).result(), Result::AlreadyRunning);
}

TEST(SingleInstance, ALinkPlantedInTheTempDirectoryIsNotFollowed)
{
    QTemporaryDir temp;
    ScopedEnv noRuntime("XDG_RUNTIME_DIR", QByteArray());
    ScopedEnv tmp("TMPDIR", temp.path().toLocal8Bit());
    const QString victim = temp.path() + u"/victim"_s;
    QFile(victim).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link(victim, temp.path() + u"/%1-%2.lock"_s.arg(Name).arg(::getuid())));

    EXPECT_EQ(SingleInstance(Name).result(), Result::Failed);
}

TEST(SingleInstance, AMarkerThatCannotBeCreatedFails)
{
    ScopedEnv runtime("XDG_RUNTIME_DIR", "/proc/self");
    EXPECT_EQ(SingleInstance(Name).result(), Result::Failed);
}
