// The language file at start-up: parsing the shipped Senvola.ini, and every lookup the read
// handler and the first comment box make for one language.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>

#include "portable/ini_file_reader.h"
#include "settings/language.h"

namespace {

std::string ShippedFile() {
    std::string path = __FILE__;
    path = path.substr(0, path.find_last_of("/\\")) + "/../data/Senvola.ini";
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void BM_ParseShippedLanguageFile(benchmark::State& state) {
    const std::string bytes = ShippedFile();
    if (bytes.empty()) state.SkipWithError("data/Senvola.ini not found");
    for (auto _ : state) {
        auto file = senvola::IniFileReader::FromBytes(bytes);
        benchmark::DoNotOptimize(file);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_ParseShippedLanguageFile);

void BM_AllTextsOfOneLanguage(benchmark::State& state) {
    const auto file = senvola::IniFileReader::FromBytes(ShippedFile());
    for (auto _ : state) {
        senvola::LanguageTable t;
        senvola::LoadLanguageTable(t, file, 2);
        senvola::LoadSpeedTexts(t, file);
        for (const senvola::TextKey& e : senvola::kTextKeys)
            benchmark::DoNotOptimize(senvola::Translate(t, file, e.Key, e.Default));
        benchmark::DoNotOptimize(senvola::ConfigurationText(t, file));
        benchmark::DoNotOptimize(senvola::AboutGoText(t, file));
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(BM_AllTextsOfOneLanguage);

}  // namespace
