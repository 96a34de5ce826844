// One GET with the request engine beside the same request made with bare libcurl, both against
// a loopback server that answers each request on a new connection. The ratio of the two is the
// engine's own cost: header block, Location and cookie lines, the charset check, the transport.

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <string>

#include "loopback_server.h"
#include "web/http_request.h"

namespace {

using qingyu::test::LoopbackServer;

std::string page_of(std::size_t bytes) {
    std::string body(bytes, 'x');
    return qingyu::test::http_response(
        "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=gbk\r\n"
        "Set-Cookie: sid=1; Path=/bench\r\n",
        body);
}

std::size_t keep_body(char* data, std::size_t size, std::size_t count, void* body) {
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

void BM_EngineRequest(benchmark::State& state) {
    LoopbackServer server({page_of(static_cast<std::size_t>(state.range(0)))});
    const std::string url = server.url("/bench/page?q=1");
    for (auto _ : state) {
        qingyu::HttpRequestArgs args;
        benchmark::DoNotOptimize(qingyu::http_request(url, args));
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EngineRequest)->Arg(1 << 10)->Arg(1 << 20)->UseRealTime();

void BM_BareCurlRequest(benchmark::State& state) {
    LoopbackServer server({page_of(static_cast<std::size_t>(state.range(0)))});
    const std::string url = server.url("/bench/page?q=1");
    const std::string referer = "Referer: " + url;
    curl_global_init(CURL_GLOBAL_DEFAULT);
    for (auto _ : state) {
        CURL* easy = curl_easy_init();
        curl_slist* headers = nullptr;
        for (const char* line : {referer.c_str(), "Accept: */*", "Accept-Language: zh-cn",
                                 "Content-Type: application/x-www-form-urlencoded"}) {
            headers = curl_slist_append(headers, line);
        }
        std::string body;
        curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
        curl_easy_setopt(easy, CURLOPT_USERAGENT, qingyu::default_user_agent.data());
        curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &keep_body);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
        curl_easy_perform(easy);
        benchmark::DoNotOptimize(body);
        curl_slist_free_all(headers);
        curl_easy_cleanup(easy);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_BareCurlRequest)->Arg(1 << 10)->Arg(1 << 20)->UseRealTime();

}  // namespace
