// tovik-demo-card: writes a folder that looks like the SD card of a Tovik
// dashcam, for trying the viewer and for the tests and benchmarks.
#include "demo/DemoCardFilesWriter.h"
#include "demo/DemoCardGenerator.h"
#include "demo/DemoCardOptions.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

namespace {

int fail(const QString &message)
{
    QTextStream(stderr) << "tovik-demo-card: " << message << Qt::endl;
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("tovik-demo-card");

    QString error;
    const std::optional<DemoCardOptions> options = DemoCardOptions::parse(QCoreApplication::arguments(), error);
    if (!options)
        return fail(error);

    QElapsedTimer timer;
    timer.start();
    DemoCardGenerator generator(*options);
    if (error = generator.writeRecordings(); !error.isEmpty())
        return fail(error);
    if (const auto cardFilesError = DemoCardFilesWriter::write(options->outputDirectory.toStdString()))
        return fail(QString::fromStdString(*cardFilesError));

    QTextStream(stdout) << "wrote " << generator.recordingCount() << " recordings to "
                        << options->outputDirectory << " in " << timer.elapsed() << " ms" << Qt::endl;
    return 0;
}
