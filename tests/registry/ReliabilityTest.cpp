// Several real processes on one hive, and writers killed in mid-write.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "components/Vreg/Vreg.h"
#include "platform/registry/Hive.h"
#include "tests/registry/ConfigHome.h"

namespace {

const std::string kKey = "Software\\varnell\\Reliability";

// Values each process pushes. Every push reads the whole hive, so the run
// grows with the square of the count; the unoptimised sanitizer build walks
// the same paths with fewer (set by the build).
#ifndef RELIABILITY_PER_PROCESS
#define RELIABILITY_PER_PROCESS 1000
#endif
constexpr long kPerProcess = RELIABILITY_PER_PROCESS;

// A running pusher with its stdout, on which it acknowledges each value.
struct Pusher {
    pid_t pid = -1;
    FILE* acks = nullptr;

    Pusher(const std::string& prefix, long count) {
        int fds[2];
        if (pipe(fds) != 0) throw std::runtime_error("pipe");
        pid = fork();
        if (pid == 0) {
            dup2(fds[1], STDOUT_FILENO);
            close(fds[0]);
            close(fds[1]);
            const std::string n = std::to_string(count);
            execl(REGISTRY_PUSHER, REGISTRY_PUSHER, prefix.c_str(), n.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        acks = fdopen(fds[0], "r");
    }
    ~Pusher() {
        if (acks) std::fclose(acks);
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    // Next acknowledged index, or -1 at the end of the output.
    long NextAck() const {
        long i = -1;
        return std::fscanf(acks, "%ld", &i) == 1 ? i : -1;
    }
    int Wait() {
        int status = 0;
        waitpid(pid, &status, 0);
        pid = -1;
        return status;
    }
};

// What is tested is what processes see of each other, which does not depend
// on the disk: a memory file system, where there is one, spares the flushes.
std::filesystem::path FastTempDir() {
    std::error_code ec;
    return std::filesystem::is_directory("/dev/shm", ec) && access("/dev/shm", W_OK) == 0
               ? std::filesystem::path("/dev/shm")
               : std::filesystem::temp_directory_path();
}

class Reliability : public ConfigHomeTest {
protected:
    Reliability() : ConfigHomeTest(FastTempDir()) {}
    // The hive as it is on disk now; it must parse.
    hive::Hive Parsed() const {
        hive::ParseError error;
        auto h = hive::Hive::Parse("HKEY_CURRENT_USER", HiveText(), error);
        EXPECT_TRUE(h) << "line " << error.line << ": " << error.reason;
        return h ? *h : hive::Hive("HKEY_CURRENT_USER");
    }
    static bool Holds(const hive::Hive& h, const std::string& name, long i) {
        const hive::Key* k = h.FindKey(kKey);
        const hive::Value* v = k ? k->FindValue(name) : nullptr;
        return v && v->data == "value " + std::to_string(i) + '\0';
    }
};

}  // namespace

TEST_F(Reliability, TwoProcessesPushingTogetherLoseNothing) {
    constexpr long kCount = kPerProcess;
    Pusher a("a", kCount), b("b", kCount);
    long lastA = -1, lastB = -1;
    for (long i; (i = a.NextAck()) >= 0;) lastA = i;
    for (long i; (i = b.NextAck()) >= 0;) lastB = i;
    EXPECT_EQ(a.Wait(), 0);
    EXPECT_EQ(b.Wait(), 0);
    ASSERT_EQ(lastA, kCount - 1);
    ASSERT_EQ(lastB, kCount - 1);

    const hive::Hive h = Parsed();
    ASSERT_TRUE(h.FindKey(kKey));
    EXPECT_EQ(h.FindKey(kKey)->Values().size(), static_cast<std::size_t>(2 * kCount));
    long missing = 0;
    for (long i = 0; i < kCount; ++i) missing += !Holds(h, "a" + std::to_string(i), i) + !Holds(h, "b" + std::to_string(i), i);
    EXPECT_EQ(missing, 0);
}

TEST_F(Reliability, WriterKilledInMidWriteLeavesAWholeHive) {
    // Kill after a number of acknowledgements and a delay, so that the
    // kills land in different phases of a push (read, write, rename).
    const struct {
        long acks;
        int delayMicroseconds;
    } rounds[] = {{5, 0}, {20, 150}, {40, 400}, {60, 700}, {80, 1000}, {100, 1300}};
    long total = 0;
    for (std::size_t r = 0; r < std::size(rounds); ++r) {
        const std::string prefix = "k" + std::to_string(r) + "_";
        long acknowledged = 0;
        {
            Pusher p(prefix, 1000000);
            while (acknowledged < rounds[r].acks && p.NextAck() >= 0) ++acknowledged;
            std::this_thread::sleep_for(std::chrono::microseconds(rounds[r].delayMicroseconds));
            kill(p.pid, SIGKILL);
            const int status = p.Wait();
            EXPECT_TRUE(WIFSIGNALED(status)) << "round " << r;
            while (p.NextAck() >= 0) ++acknowledged;  // printed before the kill
        }
        total += acknowledged;
        const hive::Hive h = Parsed();
        for (long i = 0; i < acknowledged; ++i) EXPECT_TRUE(Holds(h, prefix + std::to_string(i), i)) << prefix << i;
    }
    EXPECT_GE(total, 305);

    // The killed writers' lock is no obstacle to the next one.
    TVReg reg(nullptr);
    reg.Firmenname = "varnell";
    reg.Programmname = "Reliability";
    reg.Push("after", "value 0");
    EXPECT_TRUE(Holds(Parsed(), "after", 0));
}
