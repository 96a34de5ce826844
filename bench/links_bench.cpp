// Base64 and the download-manager links: encoding and decoding throughput, with the window's
// event hand-off (once per group of four characters) left out and put in.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <random>
#include <string>

#include "links/base64.h"
#include "links/link_codec.h"
#include "platform/events.h"

namespace {

std::string random_bytes(std::size_t size) {
    std::mt19937 rng(1);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(rng());
    return bytes;
}

// A typical direct download address, with GBK bytes in the file name.
const std::string direct_address =
    "http://d.pcs.example.com/file/3f9a1c0e5b7d4e2f8a6c1b0d9e8f7a6b?fid=1234567890-250528-"
    "987654321012345&time=1718000000&rt=sh&sign=FDTAER-DCb740ccc5511e5e8fedcff06b081203-"
    "AbCdEfGhIjKlMnOpQrStUvWxYz%3D&expires=8h&chkv=1&chkbd=0&chkpc=&dp-logid=1234567890&"
    "dp-callid=0&r=123456789&fn=\xc7\xe7\xd3\xec\xb7\xd6\xcf\xed.zip";

void BM_Base64Encode(benchmark::State& state) {
    const std::string bytes = random_bytes(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(qingyu::base64_encode(bytes));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_Base64Encode)->Arg(1 << 10)->Arg(1 << 20);

void BM_Base64Decode(benchmark::State& state) {
    const std::string text = qingyu::base64_encode(random_bytes(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(qingyu::base64_decode(text));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_Base64Decode)->Arg(1 << 10)->Arg(1 << 20);

// The same with a window engine's hook installed (here one that does nothing).
void BM_Base64DecodeWithEventHook(benchmark::State& state) {
    const std::string text = qingyu::base64_encode(random_bytes(state.range(0)));
    qingyu::platform::set_process_events_hook([] {});
    for (auto _ : state) benchmark::DoNotOptimize(qingyu::base64_decode(text));
    qingyu::platform::set_process_events_hook({});
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_Base64DecodeWithEventHook)->Arg(1 << 10)->Arg(1 << 20);

// Text with spaces and line breaks to skip, as a link pasted from a mail may hold.
void BM_Base64DecodeWrapped(benchmark::State& state) {
    const std::string text = qingyu::base64_encode(random_bytes(state.range(0)));
    std::string wrapped;
    for (std::size_t i = 0; i < text.size(); i += 76) wrapped += text.substr(i, 76) + " \r\n";
    for (auto _ : state) benchmark::DoNotOptimize(qingyu::base64_decode(wrapped));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(wrapped.size()));
}
BENCHMARK(BM_Base64DecodeWrapped)->Arg(1 << 10)->Arg(1 << 20);

// Plain address to the scheme named by the argument (1 Thunder, 2 FlashGet, 3 QQ Xuanfeng).
void BM_ConvertLinkEncode(benchmark::State& state) {
    const int target = static_cast<int>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(qingyu::convert_link(direct_address, target));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConvertLinkEncode)->DenseRange(1, 3);

// A scheme link back to the plain address.
void BM_ConvertLinkDecode(benchmark::State& state) {
    const std::string link = qingyu::convert_link(direct_address, static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(qingyu::convert_link(link, 0));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConvertLinkDecode)->DenseRange(1, 3);

}  // namespace
