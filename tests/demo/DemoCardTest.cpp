// Writes a small demo card with the real generator and checks it as the
// viewer, ffprobe and mpv will see it.
#include "demo/BlackBoxRecordWriter.h"
#include "demo/DemoCardPlan.h"
#include "demo/FrameNumberStrip.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <set>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kSeconds = 3;
constexpr int kWidth = 320;
constexpr int kHeight = 180;
constexpr int kFps = 15;

struct ProcessResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

ProcessResult run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    ProcessResult result;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

QString generator()
{
    return qEnvironmentVariable("TOVIK_BUILD_DIR") + "/demo/tovik-demo-card";
}

Bytes readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return Bytes(bytes.begin(), bytes.end());
}

std::uint32_t bigEndian32(const Bytes &file, std::uint32_t offset)
{
    if (offset > file.size() || file.size() - offset < 4)
        throw std::out_of_range("read past the end of the recording");
    return std::uint32_t{file[offset]} << 24 | std::uint32_t{file[offset + 1]} << 16
        | std::uint32_t{file[offset + 2]} << 8 | file[offset + 3];
}

std::string typeAt(const Bytes &file, std::uint32_t offset)
{
    bigEndian32(file, offset + 4);
    return std::string(file.begin() + offset + 4, file.begin() + offset + 8);
}

// Offset of child n (counted from 1) of the box at offset, skipping the
// earlier children by their sizes, as the camera's reader walks.
std::uint32_t child(const Bytes &file, std::uint32_t box, int n)
{
    std::uint32_t at = box + 8;
    for (int i = 1; i < n; ++i)
        at += bigEndian32(file, at);
    return at;
}

// The data chunks that the stco at the camera's fixed box path lists.
std::vector<Bytes> dataChunks(const Bytes &file)
{
    EXPECT_EQ(typeAt(file, 0), "ftyp");
    EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 12), "avc1");
    const std::uint32_t second = bigEndian32(file, 0);
    const std::uint32_t moov = second + bigEndian32(file, second);
    EXPECT_EQ(typeAt(file, moov), "moov");
    const std::uint32_t trak = child(file, moov, 5);
    const std::uint32_t mdia = child(file, trak, 3);
    const std::uint32_t minf = child(file, mdia, 3);
    const std::uint32_t stbl = child(file, minf, 3);
    const std::uint32_t stco = child(file, stbl, 5);
    EXPECT_EQ(typeAt(file, trak), "trak");
    EXPECT_EQ(typeAt(file, mdia), "mdia");
    EXPECT_EQ(typeAt(file, minf), "minf");
    EXPECT_EQ(typeAt(file, stbl), "stbl");
    if (typeAt(file, stco) != "stco") {
        ADD_FAILURE() << "no stco at the fifth place of stbl";
        return {};
    }
    std::vector<Bytes> chunks;
    const std::uint32_t count = bigEndian32(file, stco + 12);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t offset = bigEndian32(file, stco + 16 + 4 * i);
        bigEndian32(file, offset + BlackBoxRecordWriter::kChunkSize - 4);
        chunks.emplace_back(file.begin() + offset, file.begin() + offset + BlackBoxRecordWriter::kChunkSize);
    }
    return chunks;
}

std::optional<std::uint32_t> frameNumberAt(const QString &path, const QString &seconds, Bytes *picture = nullptr)
{
    const ProcessResult extract = run("ffmpeg", {"-v", "error", "-ss", seconds, "-i", path, "-frames:v", "1", "-f", "rawvideo",
                                       "-pix_fmt", "rgb24", "pipe:1"});
    if (extract.exitCode != 0 || extract.out.size() != kWidth * kHeight * 3)
        return std::nullopt;
    if (picture)
        picture->assign(extract.out.begin(), extract.out.end());
    return FrameNumberStrip::decode(reinterpret_cast<const std::uint8_t *>(extract.out.constData()), kWidth, kHeight,
                                    kWidth * 3);
}

} // namespace

class DemoCard : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_card = qEnvironmentVariable("TOVIK_TEST_TMP") + "/demo-card";
        QDir(s_card).removeRecursively();
        s_generated = run(generator(), {s_card, "--duration", QString::number(kSeconds), "--width", QString::number(kWidth),
                                        "--height", QString::number(kHeight), "--fps", QString::number(kFps)});
    }

    void SetUp() override
    {
        ASSERT_EQ(s_generated.exitCode, 0) << s_generated.err.toStdString();
    }

    static QString pathOf(const std::string &relativePath) { return s_card + "/" + QString::fromStdString(relativePath); }

    static inline QString s_card;
    static inline ProcessResult s_generated;
    const DemoCardPlan m_plan{{.durationSeconds = kSeconds, .count = DemoCardPlan::kStandardRecordingCount, .seed = 1}};
};

TEST_F(DemoCard, HoldsEveryKindPairsAndOddFiles)
{
    std::set<std::string> prefixes;
    for (const auto &recording : m_plan.recordings()) {
        EXPECT_TRUE(QFileInfo(pathOf(recording.relativePath)).isFile()) << recording.relativePath;
        const std::string name = QFileInfo(pathOf(recording.relativePath)).fileName().toStdString();
        prefixes.insert(name.substr(0, name.find('_') + 1));
    }
    EXPECT_EQ(prefixes, (std::set<std::string>{"alwa_", "motion_", "event_", "evtA_", "evtF_", "evtLL_", "evtLR_"}));
    EXPECT_TRUE(QFileInfo(s_card + "/EVENT/evtF_20240315_081215_R.MP4").isFile());
    // The last recording is a front file without rear twin.
    EXPECT_TRUE(QFileInfo(s_card + "/alwa_20240315_081224_F.MP4").isFile());
    EXPECT_FALSE(QFileInfo(s_card + "/alwa_20240315_081224_R.MP4").exists());
    for (const auto &odd : m_plan.oddFiles())
        EXPECT_TRUE(QFileInfo(pathOf(odd.relativePath)).isFile()) << odd.relativePath;
    std::set<std::string> planned;
    for (const auto &recording : m_plan.recordings())
        planned.insert(recording.relativePath);
    for (const auto &odd : m_plan.oddFiles())
        planned.insert(odd.relativePath);
    std::set<std::string> written;
    QDirIterator videos(s_card, {"*.mp4", "*.mov"}, QDir::Files, QDirIterator::Subdirectories);
    while (videos.hasNext())
        written.insert(QDir(s_card).relativeFilePath(videos.next()).toStdString());
    EXPECT_EQ(written, planned);
}

TEST_F(DemoCard, DataTrackAtTheCameraPathHoldsTheDrive)
{
    for (const auto &recording : m_plan.recordings()) {
        SCOPED_TRACE(recording.relativePath);
        const std::vector<Bytes> chunks = dataChunks(readFile(pathOf(recording.relativePath)));
        const std::vector<BlackBoxSample> samples = m_plan.samplesOf(recording);
        ASSERT_EQ(chunks.size(), samples.size());
        for (std::size_t i = 0; i < samples.size(); ++i)
            ASSERT_EQ(chunks[i], BlackBoxRecordWriter::encodeChunk(samples[i])) << "chunk " << i;
    }
}

TEST_F(DemoCard, RecordingsPlayInFfprobeAndMpv)
{
    for (const char *name : {"event_20240315_081209_F.MP4", "EVENT/evtF_20240315_081215_R.MP4"}) {
        const QString path = pathOf(name);
        const ProcessResult probe = run("ffprobe", {"-v", "error", "-show_entries", "stream=codec_type,codec_name", "-of", "csv=p=0", path});
        EXPECT_EQ(probe.exitCode, 0) << name;
        EXPECT_TRUE(probe.err.isEmpty()) << name << ": " << probe.err.toStdString();
        EXPECT_EQ(probe.out.split('\n').mid(0, 2), (QByteArrayList{"h264,video", "aac,audio"})) << name;
    }
    const ProcessResult play = run("mpv", {"--no-config", "--vo=null", "--ao=null", "--frames=30", pathOf("event_20240315_081209_F.MP4")});
    EXPECT_EQ(play.exitCode, 0) << play.out.toStdString();
}

TEST_F(DemoCard, EveryFrameCarriesItsNumber)
{
    Bytes front;
    Bytes rear;
    EXPECT_EQ(frameNumberAt(pathOf("alwa_20240315_081200_F.MP4"), "1.0", &front), 1u * kFps);
    EXPECT_EQ(frameNumberAt(pathOf("alwa_20240315_081200_R.MP4"), "2.0", &rear), 2u * kFps);
    EXPECT_EQ(frameNumberAt(pathOf("event_20240315_081209_F.MP4"), "0"), 0u);
    ASSERT_FALSE(front.empty());
    ASSERT_FALSE(rear.empty());
    // Front pictures are blue above, rear pictures red.
    const std::size_t topLeft = (10 * kWidth + 150) * 3;
    EXPECT_GT(front[topLeft + 2], front[topLeft]);
    EXPECT_GT(rear[topLeft], rear[topLeft + 2]);
}

TEST(DemoCardGenerator, WritesDataOnlyCardsAndRejectsBadArguments)
{
    const QString card = qEnvironmentVariable("TOVIK_TEST_TMP") + "/data-only-card";
    QDir(card).removeRecursively();
    const ProcessResult quick = run(generator(), {card, "--no-video", "--count", "40", "--duration", "1"});
    ASSERT_EQ(quick.exitCode, 0) << quick.err.toStdString();
    const DemoCardPlan plan({.durationSeconds = 1, .count = 40, .seed = 1});
    ASSERT_EQ(plan.recordings().size(), 40u);
    const auto &last = plan.recordings().back();
    const std::vector<Bytes> chunks = dataChunks(readFile(card + "/" + QString::fromStdString(last.relativePath)));
    ASSERT_EQ(chunks.size(), 10u);
    EXPECT_EQ(chunks[9], BlackBoxRecordWriter::encodeChunk(plan.samplesOf(last)[9]));

    const ProcessResult odd = run(generator(), {card, "--width", "641"});
    EXPECT_EQ(odd.exitCode, 1);
    EXPECT_TRUE(odd.err.contains("--width")) << odd.err.toStdString();
    EXPECT_EQ(run(generator(), {}).exitCode, 1);
    EXPECT_EQ(run(generator(), {card, "--count", "many"}).exitCode, 1);
}
