#pragma once
// The utility's three forms over a private configuration folder, with the
// exit services recorded, a clock the test sets, and a fixed screen.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "app/AppServices.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "platform/os/RecordingExitServices.h"

class FakeClock : public IClock {
public:
    TTimeOfDay Time;
    TTimeOfDay Now() const override { return Time; }
    void Set(int h, int m, int s, int ms = 0) { Time = {h, m, s, ms}; }
};

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the forms as start-up does (the settings are not loaded yet).
    void CreateForms();
    AnsiString HiveText() const;
    AnsiString AutostartPath() const;
    // Lets the toolkit deliver what is pending.
    static void Pump();

    QTemporaryDir config_;
    RecordingExitServices os_;
    FakeClock clock_;
    std::vector<AnsiString> shownErrors_;
};

// 1024 x 768 with a bottom taskbar of 30 pixels.
TScreenMetrics BottomTaskbarScreen();
