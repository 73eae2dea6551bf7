#include "config/TKClockFile.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

TKFileError errorFor(const std::string &path, int errorNumber)
{
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty())
        folder = ".";
    struct statvfs info {};
    const bool readOnlyMount = ::statvfs(folder.c_str(), &info) == 0 && (info.f_flag & ST_RDONLY) != 0;
    std::string detail = path;
    detail.append(": ").append(std::strerror(errorNumber));
    return TKFileError{"msg.file_open_fail", detail, errorNumber == EROFS || readOnlyMount};
}

} // namespace

std::optional<std::string> TKClockFile::textFor(const std::tm &t)
{
    const int year = t.tm_year + 1900;
    const int month = t.tm_mon + 1;
    if (year < 1 || year > 9999 || month < 1 || month > 12 || t.tm_mday < 1 || t.tm_mday > daysInMonth(year, month) ||
        t.tm_hour < 0 || t.tm_hour > 23 || t.tm_min < 0 || t.tm_min > 59 || t.tm_sec < 0 || t.tm_sec > 59)
        return std::nullopt;
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", year, month, t.tm_mday, t.tm_hour, t.tm_min,
                  t.tm_sec);
    return std::string(text);
}

std::optional<std::tm> TKClockFile::parse(const std::string &text)
{
    static constexpr char kPattern[] = "dddd/dd/dd dd:dd:dd";
    if (text.size() != kTextLength)
        return std::nullopt;
    for (std::size_t i = 0; i < kTextLength; ++i) {
        const bool wantDigit = kPattern[i] == 'd';
        if (wantDigit ? !std::isdigit(static_cast<unsigned char>(text[i])) : text[i] != kPattern[i])
            return std::nullopt;
    }
    const auto number = [&text](std::size_t at, std::size_t length) { return std::stoi(text.substr(at, length)); };
    std::tm t{};
    t.tm_year = number(0, 4) - 1900;
    t.tm_mon = number(5, 2) - 1;
    t.tm_mday = number(8, 2);
    t.tm_hour = number(11, 2);
    t.tm_min = number(14, 2);
    t.tm_sec = number(17, 2);
    t.tm_isdst = -1;
    if (!textFor(t))
        return std::nullopt;
    return t;
}

std::tm TKClockFile::localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return local;
}

TKStatus<TKFileError> TKClockFile::write(const std::string &path, const std::tm &localTime)
{
    const std::optional<std::string> text = textFor(localTime);
    if (!text)
        return TKFileError{"msg.file_open_fail", path + ": not a valid date and time", false};
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    if (descriptor < 0)
        return errorFor(path, errno);
    std::size_t done = 0;
    while (done < text->size()) {
        const ssize_t written = ::pwrite(descriptor, text->data() + done, text->size() - done,
                                         static_cast<off_t>(done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const int errorNumber = written < 0 ? errno : ENOSPC;
            ::close(descriptor);
            return errorFor(path, errorNumber);
        }
        done += static_cast<std::size_t>(written);
    }
    if (::fsync(descriptor) != 0) {
        const int errorNumber = errno;
        ::close(descriptor);
        return errorFor(path, errorNumber);
    }
    if (::close(descriptor) != 0)
        return errorFor(path, errno);
    return {};
}
