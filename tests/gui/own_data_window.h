// The main window shown for a test, with a data folder of its own
// (XDG_DATA_HOME), so that the journals of other tests never show; and the
// final text of every field as the window shows it.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include <QTemporaryDir>
#include <QTest>

#include "presentation/main_window.h"
#include "window_probe.h"

namespace kestrane::guitest {

inline std::map<int, std::string> shownFields(const QWidget& window)
{
    std::map<int, std::string> texts;
    for (int n = 1; n <= fieldCount; ++n) texts[n] = fieldText(window, n).toStdString();
    return texts;
}

class OwnDataWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(data.isValid());
        formerDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        window = std::make_unique<MainWindow>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void TearDown() override
    {
        window.reset();
        qputenv("XDG_DATA_HOME", formerDataHome);
    }

    // A file of that name in the test's data folder.
    std::filesystem::path scratch(const char* name) const
    {
        return std::filesystem::path(data.path().toStdString()) / name;
    }

    QTemporaryDir data;
    QByteArray formerDataHome;
    std::unique_ptr<MainWindow> window;
};

}  // namespace kestrane::guitest
