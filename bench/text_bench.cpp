// text_between over a 1 MB GBK page, the way the share page resolver cuts its values out: the
// marker near the end of the page, and a marker the page does not hold.

#include <benchmark/benchmark.h>

#include <string>

#include "web/text_ops.h"

namespace {

// "#引号" in GBK: a double quote inside a marker.
const std::string quote = "#\xd2\xfd\xba\xc5";

// About 1 MB of HTML with GBK file names, the wanted value in the last kilobyte.
std::string gbk_page() {
    const std::string row =
        "<tr><td class=\"name\">\xc7\xe7\xd3\xec\xb7\xd6\xcf\xed\xce\xc4\xbc\xfe_2024.zip</td>"
        "<td>\xb4\xf3\xd0\xa1 12.5MB</td><td>\xb7\xd6\xcf\xed\xd5\xdf</td></tr>\n";
    std::string page = "<html><head><title>\xcd\xf8\xc5\xcc</title></head><body><table>\n";
    while (page.size() < (1 << 20) - 1024) page += row;
    page +=
        "</table><script>var fid_list=\"[4567890123456]\";var sign=\"3f9a1c0e5b7d\";"
        "</script></body></html>\n";
    return page;
}

void BM_TextBetweenNearTheEnd(benchmark::State& state) {
    const std::string page = gbk_page();
    for (auto _ : state) {
        benchmark::DoNotOptimize(qingyu::text_between(page, "var sign=" + quote, quote));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(page.size()));
}
BENCHMARK(BM_TextBetweenNearTheEnd);

void BM_TextBetweenMissing(benchmark::State& state) {
    const std::string page = gbk_page();
    for (auto _ : state) {
        benchmark::DoNotOptimize(qingyu::text_between(page, "var shareid=" + quote, quote));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(page.size()));
}
BENCHMARK(BM_TextBetweenMissing);

void BM_TextBetweenNearTheEndCaseSensitive(benchmark::State& state) {
    const std::string page = gbk_page();
    for (auto _ : state) {
        benchmark::DoNotOptimize(qingyu::text_between(page, "var sign=" + quote, quote, 1, true));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(page.size()));
}
BENCHMARK(BM_TextBetweenNearTheEndCaseSensitive);

}  // namespace
