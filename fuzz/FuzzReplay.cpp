// Runs a fuzz target once on each file named, or on each file inside each folder named, so
// that seed corpora and past crashes replay as ordinary tests in any build.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace fs = std::filesystem;

namespace {

bool replay(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot open %s\n", file.c_str());
        return false;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    std::fprintf(stderr, "%s (%zu bytes)\n", file.c_str(), bytes.size());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    int files = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        const fs::path arg(argv[i]);
        std::error_code error;
        if (!fs::is_directory(arg, error)) {
            ok = replay(arg) && ok;
            ++files;
            continue;
        }
        // Sorted, so that a failing run names the same file first every time.
        std::vector<fs::path> entries;
        for (const auto& entry : fs::directory_iterator(arg))
            if (entry.is_regular_file())
                entries.push_back(entry.path());
        std::sort(entries.begin(), entries.end());
        for (const auto& entry : entries) {
            ok = replay(entry) && ok;
            ++files;
        }
    }
    std::fprintf(stderr, "replayed %d files\n", files);
    // An empty corpus would pass without testing anything.
    return ok && files > 0 ? 0 : 1;
}
