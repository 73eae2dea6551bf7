// Entry point of the widget tests: one QApplication for the whole run.
#include <QApplication>
#include <QTemporaryDir>
#include <clocale>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Each test process gets a temporary folder of its own: the application keeps
    // fixed names there (the still capture) and ctest runs tests side by side.
    QTemporaryDir processTemp;
    if (processTemp.isValid())
        qputenv("TMPDIR", QFile::encodeName(processTemp.path()));
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    // libmpv parses numbers with the C locale.
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setOrganizationName("TovikTests");
    QCoreApplication::setApplicationName("tovik-tests");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
