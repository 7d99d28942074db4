// A copy of a program using the single-instance service, for the two-process
// tests. Usage: single_instance_helper NAME
// Prints "second" and exits 0 when another copy holds NAME; otherwise prints
// "first", waits for a raise request, prints "raised" (when it came on
// the GUI thread) and exits 0 (exit 3
// when none came within 20 s).
#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <cstdio>

#include "platform/os/SingleInstance.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    auto instance = CreateSingleInstance(argv[1]);
    if (!instance->Claim()) {
        std::printf("second\n");
        return 0;
    }
    instance->OnRaiseRequest = [&app] {
        std::printf(QThread::currentThread() == app.thread() ? "raised\n" : "raised off the GUI thread\n");
        std::fflush(stdout);
        QCoreApplication::exit(0);
    };
    std::printf("first\n");
    std::fflush(stdout);
    QTimer::singleShot(20000, [] { QCoreApplication::exit(3); });
    return app.exec();
}
