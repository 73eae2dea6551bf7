#pragma once

// Runs scripts on a web page from a test and waits for their answers (needs a display).
#include <QTest>
#include <QVariant>
#include <QWebEnginePage>

#include <functional>

// The script's answer; an invalid QVariant when it gives none within ten seconds.
inline QVariant evaluate(QWebEnginePage &page, const QString &script)
{
    QVariant result;
    bool done = false;
    page.runJavaScript(script, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    // No answer in time leaves the result invalid, which the caller's expectation sees.
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        return {};
    return result;
}

// Keeps the event loop running until the condition holds or the time is up.
inline bool waitUntil(const std::function<bool()> &condition, int milliseconds)
{
    return QTest::qWaitFor(condition, milliseconds);
}
