#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

// The folder a seed program fills, named by its only argument. Every
// failure is told on stderr, so a caller only has to stop with status 1.
class SeedCorpus
{
public:
    // Creates the folder when it is missing.
    static std::optional<SeedCorpus> fromArguments(int argc, char **argv)
    {
        if (argc != 2) {
            std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
            return std::nullopt;
        }
        std::error_code error;
        std::filesystem::create_directories(argv[1], error);
        if (error) {
            std::fprintf(stderr, "cannot create %s: %s\n", argv[1], error.message().c_str());
            return std::nullopt;
        }
        return SeedCorpus(argv[1]);
    }

    bool add(const std::string &name, std::string_view bytes) const
    {
        const std::filesystem::path path = m_folder / name;
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!file)
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return static_cast<bool>(file);
    }

    bool add(const std::string &name, const std::vector<std::uint8_t> &bytes) const
    {
        return add(name, std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()));
    }

private:
    explicit SeedCorpus(std::filesystem::path folder)
        : m_folder(std::move(folder))
    {
    }

    std::filesystem::path m_folder;
};
