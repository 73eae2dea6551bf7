#pragma once

#include <QCoreApplication>

#include <gtest/gtest.h>

// A test with its own QCoreApplication, for event loops and child processes
// without the widget stack.
class CoreApplicationTest : public ::testing::Test {
private:
    int m_argc = 1;
    char m_name[12] = "media_tests";
    char *m_argv[2] = {m_name, nullptr};

protected:
    QCoreApplication m_application{m_argc, m_argv};
};
