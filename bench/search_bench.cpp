// The search on a full statute: 512 pages of 64 KiB, 32 MiB in all.

#include "search/document_table.h"
#include "search/query.h"
#include "base/file_replacement.h"
#include "search/search.h"
#include "base/whole_file.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::string appPath = LEXORIA_BENCH_STATUTE;
const std::string indexFile = appPath + "Wlist.idx";

const lexoria::ResultsTexts texts{
    "<html><head><title>TITULA</title></head><body><h3>TITULA</h3>BODDDY</body></html>",
    "Zakon", "Nobena stran ne vsebuje iskanih besed."};

void ignoreWarning(const std::string&) {}
void ignoreSlot(std::int16_t, bool) {}

struct LoadedStatute {
    std::unique_ptr<lexoria::DocList> docList = std::make_unique<lexoria::DocList>();
    std::int16_t docCount = 0;
    std::int64_t bytes = 0;

    LoadedStatute()
    {
        lexoria::loadDocumentTable(indexFile, appPath, *docList, docCount, ignoreWarning);
        for (std::int16_t slot = 1; slot <= docCount; ++slot)
            bytes += static_cast<std::int64_t>((*docList)[slot].strText.size());
    }
};

const LoadedStatute& statute()
{
    static const LoadedStatute loaded;
    return loaded;
}

void loadTable(benchmark::State& state)
{
    auto docList = std::make_unique<lexoria::DocList>();
    std::int16_t docCount = 0;
    for (auto _ : state) {
        lexoria::loadDocumentTable(indexFile, appPath, *docList, docCount, ignoreWarning);
        benchmark::DoNotOptimize(docList->data());
    }
    state.SetBytesProcessed(state.iterations() * statute().bytes);
}
BENCHMARK(loadTable)->Unit(benchmark::kMillisecond);

// The same pages read whole and kept, without the index, the checks or the
// lower-casing: the floor for loadTable.
void plainReads(benchmark::State& state)
{
    std::vector<std::string> paths;
    for (std::int16_t slot = 1; slot <= statute().docCount; ++slot)
        paths.push_back(appPath + (*statute().docList)[slot].strFile);
    std::vector<std::string> pages(paths.size());
    for (auto _ : state) {
        for (std::size_t i = 0; i < paths.size(); ++i)
            pages[i] = lexoria::readWholeFile(paths[i]);
        benchmark::DoNotOptimize(pages.data());
    }
    state.SetBytesProcessed(state.iterations() * statute().bytes);
}
BENCHMARK(plainReads)->Unit(benchmark::kMillisecond);

void search(benchmark::State& state, const std::string& typed)
{
    const std::string query = lexoria::normaliseQuery(typed);
    std::size_t hits = 0;
    for (auto _ : state) {
        const auto result = lexoria::runSearch(*statute().docList, statute().docCount, query, texts, ignoreSlot);
        hits = result.hitSlots.size();
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.SetBytesProcessed(state.iterations() * statute().bytes);
}
// No x in the statute: the scan never stops.
BENCHMARK_CAPTURE(search, noMatchRareLetter, std::string("xylofon"))->Unit(benchmark::kMillisecond);
// "zakon" is everywhere, so a scan for the first letter stops often to compare.
BENCHMARK_CAPTURE(search, noMatchCommonPrefix, std::string("zakonodajalec"))->Unit(benchmark::kMillisecond);
// Ordinary words and a phrase that the statute lacks, made of its common letters.
BENCHMARK_CAPTURE(search, noMatchPravilnik, std::string("pravilnik"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(search, noMatchPristojnost, std::string("pristojnost"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(search, noMatchPhrase, std::string("na podlagi"))->Unit(benchmark::kMillisecond);
// The shortest queries: one rare letter, two common ones.
BENCHMARK_CAPTURE(search, noMatchOneLetter, std::string("x"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(search, noMatchTwoLetters, std::string("aa"))->Unit(benchmark::kMillisecond);
// Every page's heading holds it.
BENCHMARK_CAPTURE(search, everyPage, std::string("\xC8LEN"))->Unit(benchmark::kMillisecond);

// A search that matches every page, its results page assembled and written.
void wholeResultsPage(benchmark::State& state)
{
    const std::string query = lexoria::normaliseQuery("\xC8LEN");
    const std::string found = (std::filesystem::temp_directory_path() / "lexoria-bench-found.html").string();
    for (auto _ : state) {
        const auto result = lexoria::runSearch(*statute().docList, statute().docCount, query, texts, ignoreSlot);
        lexoria::replaceFile(found, result.page);
    }
    std::filesystem::remove(found);
}
BENCHMARK(wholeResultsPage)->Unit(benchmark::kMillisecond);

}  // namespace
