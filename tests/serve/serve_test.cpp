// `chatsieve serve` end to end: the built tool started on a free loopback port and
// spoken to over HTTP, as a backend would, and as hostile or slow clients would.
#include <gtest/gtest.h>
#include <httplib.h>

#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "raw_client.h"
#include "service_process.h"
#include "support/temporary_directory.h"

namespace chatsieve::testing {
namespace {

using namespace std::chrono_literals;
using Json = nlohmann::json;

class ServeTest : public ::testing::Test {
 protected:
  std::unique_ptr<ServiceProcess> Start(std::vector<std::string> arguments = {}) {
    arguments.insert(arguments.end(), {"--list", list_, "--threads", "2"});
    return std::make_unique<ServiceProcess>(std::move(arguments));
  }

  static httplib::Result Post(const ServiceProcess& service, const std::string& path,
                              const std::string& body, const httplib::Headers& headers = {}) {
    httplib::Client client("127.0.0.1", service.Port());
    return client.Post(path, headers, body, "application/json");
  }

  static uint64_t Generation(const ServiceProcess& service) {
    httplib::Client client("127.0.0.1", service.Port());
    const httplib::Result health = client.Get("/healthz");
    return health && health->status == 200
               ? Json::parse(health->body).at("generation").get<uint64_t>()
               : 0;
  }

  TemporaryDirectory directory_;
  std::string list_ = directory_.Write("words.txt", "bad\n병신\n시발\n");
};

TEST_F(ServeTest, RefusesBadSettingsWithTheReason) {
  struct Case {
    std::string arguments;
    const char* reason;
  };
  const Case cases[] = {
      {"--listen 8080", "--listen takes HOST:PORT"},
      {"--listen [::1:8080", "--listen takes HOST:PORT"},
      {"--listen 127.0.0.1:65536", "--listen takes HOST:PORT"},
      {"--threads 0", "--threads takes a number from 1 to 256"},
      {"--max-body 67108865", "--max-body takes a number from 1 to 67108864"},
      {"--conversations 0", "--conversations takes a number from 1 to 10000000"},
      {"--conversation-messages 8", "--conversation-messages takes a number from 1 to 7"},
      {"--min-severity 4", "--min-severity takes 1 (mild), 2 (offensive) or 3 (severe)"},
      {"--categories a,,b", "--categories takes comma-separated names"},
      {"--categories 'a b'", "--categories takes comma-separated names"},
      {"--normalize loud", "--normalize takes option names"},
      {"--list " + directory_.Path().string() + "/none.txt", "none.txt: cannot open"},
      {"--token-file " + directory_.Write("empty", "\n"), "holds no token"},
      {"stray", "unexpected argument 'stray'"},
  };
  for (const Case& c : cases) {
    // A service that wrongly starts is stopped: its exit status then is timeout's 124.
    const std::string command = "timeout 10 " + std::string(CHATSIEVE_TOOL) +
                                " serve --listen 127.0.0.1:0 --list " + list_ + " " + c.arguments +
                                " 2>&1";
    FILE* output = popen(command.c_str(), "r");
    ASSERT_NE(output, nullptr);
    std::string said;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, output) != nullptr)
      said += buffer;
    const int status = pclose(output);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << c.arguments;
    EXPECT_NE(said.find(c.reason), std::string::npos) << c.arguments << ": " << said;
  }
}

TEST_F(ServeTest, AnswersEachEndpoint) {
  const std::string allowed = directory_.Write("allowed.txt", "badge\n");
  const auto service = Start({"--separators", "--allow", allowed});
  struct Case {
    const char* path;
    const char* body;
    const char* reply;
  };
  const Case cases[] = {
      {"/v1/check", R"({"text": "너 병.신"})", R"({"listed":true})"},
      {"/v1/check", R"({"text": "a badge"})", R"({"listed":false})"},
      {"/v1/check", R"({"texts": []})", R"({"results":[]})"},
      // Code points, and UTF-8 bytes: the emoji is one of the first, four of the second.
      {"/v1/find", R"({"text": "😀 b.a.d"})",
       R"({"listed":true,"matches":[{"start":2,"end":7,"byte_start":5,"byte_end":10,)"
       R"("word":"bad","category":"","severity":2}]})"},
      {"/v1/find", R"({"text": "a\u0000bad", "ignored": [1, {"x": null}]})",
       R"({"listed":true,"matches":[{"start":2,"end":5,"byte_start":2,"byte_end":5,)"
       R"("word":"bad","category":"","severity":2}]})"},
      {"/v1/find", R"({"text": "fine"})", R"({"listed":false,"matches":[]})"},
      {"/v1/mask", R"({"text": "병신 렉", "char": "●", "keep_first": true})",
       R"({"listed":true,"masked":"병● 렉"})"},
      {"/v1/mask", R"({"texts": ["a\u0000bad", "ok"]})",
       R"({"results":[{"listed":true,"masked":"a\u0000***"},{"listed":false,"masked":"ok"}]})"},
  };
  for (const Case& c : cases) {
    const httplib::Result reply = Post(*service, c.path, c.body);
    ASSERT_TRUE(reply) << c.path << ' ' << c.body;
    EXPECT_EQ(reply->status, 200) << c.body;
    EXPECT_EQ(reply->get_header_value("Content-Type"), "application/json");
    EXPECT_EQ(reply->body, c.reply) << c.body;
  }

  httplib::Client client("127.0.0.1", service->Port());
  const httplib::Result health = client.Get("/healthz");
  ASSERT_TRUE(health);
  EXPECT_EQ(health->body, R"({"status":"ok","generation":1,"words":3})");
  const httplib::Result metrics = client.Get("/metrics");
  ASSERT_TRUE(metrics);
  for (const char* line :
       {"chatsieve_http_requests_total{endpoint=\"/v1/find\",code=\"2xx\"} 3\n",
        "chatsieve_http_request_duration_seconds_count{endpoint=\"/v1/mask\"} 2\n",
        "chatsieve_texts_screened_total 8\n", "chatsieve_words_loaded 3\n",
        "chatsieve_word_list_generation 1\n", "chatsieve_reloads_total 0\n"}) {
    EXPECT_NE(metrics->body.find(line), std::string::npos) << line << metrics->body;
  }
}

TEST_F(ServeTest, ScreensEachSpeakersMessagesAsAConversation) {
  const auto service = Start({"--normalize", "korean"});
  struct Case {
    const char* path;
    const char* body;
    const char* reply;
  };
  const Case cases[] = {
      {"/v1/check", R"({"speaker": "a", "text": "😀 안녕 시"})", R"({"listed":false,"repeats":0})"},
      {"/v1/check", R"({"speaker": "b", "text": "발"})", R"({"listed":false,"repeats":0})"},
      // Parts in code points of their own message: the emoji is one, the syllables one each.
      {"/v1/find", R"({"speaker": "a", "text": "발"})",
       R"({"listed":true,"matches":[{"start":0,"end":1,"byte_start":0,"byte_end":3,"word":"시발",)"
       R"("category":"","severity":2,"parts":[{"message":1,"start":5,"end":6},)"
       R"({"message":0,"start":0,"end":1}]}],"repeats":0})"},
      {"/v1/mask", R"({"speaker": "c", "texts": ["도배", "도배", "병", "신 ok"]})",
       R"({"results":[{"listed":false,"masked":"도배","repeats":0},)"
       R"({"listed":false,"masked":"도배","repeats":1},{"listed":false,"masked":"병","repeats":0},)"
       R"({"listed":true,"masked":"* ok","repeats":0}]})"},
      {"/v1/mask", R"({"speaker": "d", "text": "병신", "keep_first": true})",
       R"({"listed":true,"masked":"병*","repeats":0})"},
  };
  for (const Case& c : cases) {
    const httplib::Result reply = Post(*service, c.path, c.body);
    ASSERT_TRUE(reply) << c.body;
    EXPECT_EQ(reply->status, 200) << c.body;
    EXPECT_EQ(reply->body, c.reply) << c.body;
  }

  const std::string bodies[] = {R"({"speaker": 5, "text": "x"})", R"({"speaker": "", "text": "x"})",
                                Json{{"speaker", std::string(257, 'x')}, {"text", "x"}}.dump()};
  for (const std::string& body : bodies) {
    const httplib::Result refused = Post(*service, "/v1/check", body);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, 400) << body;
    EXPECT_NE(refused->body.find("speaker"), std::string::npos) << refused->body;
  }
}

TEST_F(ServeTest, KeepsTheLeastRecentlyUsedConversationsAndStartsThemAfreshOnReload) {
  const auto service = Start({"--normalize", "korean", "--conversations", "1"});
  const auto listed = [&](const char* speaker, const char* text) {
    const std::string body = Json{{"speaker", speaker}, {"text", text}}.dump();
    return Json::parse(Post(*service, "/v1/check", body)->body).at("listed").get<bool>();
  };
  EXPECT_FALSE(listed("a", "시"));
  EXPECT_FALSE(listed("b", "시"));  // a's conversation dropped for b's
  EXPECT_FALSE(listed("a", "발"));
  EXPECT_TRUE(listed("a", "시발"));

  // The conversation outlives the filter it began with, and screens with the new words.
  directory_.Write("words.txt", "news\n");
  service->Signal(SIGHUP);
  for (int tries = 0; tries < 500 && Generation(*service) != 2; ++tries)
    std::this_thread::sleep_for(10ms);
  EXPECT_FALSE(listed("a", "시발"));
  EXPECT_TRUE(listed("a", "news"));

  httplib::Client client("127.0.0.1", service->Port());
  const std::string metrics = client.Get("/metrics")->body;
  for (const char* line :
       {"chatsieve_conversations 1\n", "chatsieve_conversations_evicted_total{reason=\"full\"} 2\n",
        "chatsieve_conversations_evicted_total{reason=\"idle\"} 0\n"}) {
    EXPECT_NE(metrics.find(line), std::string::npos) << line << metrics;
  }
}

TEST_F(ServeTest, RefusesHostileRequestsAndStaysUp) {
  const auto service = Start({"--max-body", "65536"});
  const std::string close = "Connection: close\r\n";
  std::string too_many = R"({"texts": [)";
  for (int i = 0; i < 1001; ++i)
    too_many += i == 0 ? "\"\"" : ",\"\"";
  too_many += "]}";
  struct Case {
    const char* what;
    std::string request;
    int status;
  };
  const Case cases[] = {
      {"malformed JSON", PostRequest("/v1/check", R"({"text": )", close), 400},
      {"not an object", PostRequest("/v1/check", "[\"bad\"]", close), 400},
      {"deep nesting", PostRequest("/v1/check", std::string(60000, '['), close), 400},
      {"raw bytes not UTF-8", PostRequest("/v1/check", "{\"text\": \"\xff\xfe\"}", close), 400},
      {"lone surrogate", PostRequest("/v1/check", R"({"text": "\ud800"})", close), 400},
      {"text not a string", PostRequest("/v1/find", R"({"text": 1})", close), 400},
      {"texts not an array", PostRequest("/v1/find", R"({"texts": "bad"})", close), 400},
      {"texts of numbers", PostRequest("/v1/find", R"({"texts": [1]})", close), 400},
      {"text and texts", PostRequest("/v1/check", R"({"text": "", "texts": []})", close), 400},
      {"no text", PostRequest("/v1/check", R"({"txt": "bad"})", close), 400},
      {"too many texts", PostRequest("/v1/check", too_many, close), 400},
      {"char of two", PostRequest("/v1/mask", R"({"text": "a", "char": "ab"})", close), 400},
      {"keep_first a string", PostRequest("/v1/mask", R"({"text": "a", "keep_first": "y"})", close),
       400},
      {"body over the limit",
       PostRequest("/v1/check", R"({"text": ")" + std::string(70000, 'a') + "\"}", close), 413},
      {"huge length declared", "POST /v1/check HTTP/1.1\r\nContent-Length: 99999999999\r\n\r\n{",
       413},
      {"compressed body", PostRequest("/v1/check", "x", "Content-Encoding: gzip\r\n"), 415},
      {"huge header",
       "GET /healthz HTTP/1.1\r\nX-Big: " + std::string(100000, 'h') + "\r\n" + close + "\r\n",
       400},
      {"not HTTP", "HELLO\r\n\r\n", 400},
      {"wrong method", "GET /v1/check HTTP/1.1\r\n" + close + "\r\n", 405},
      {"wrong method with a body", PostRequest("/healthz", "{}", close), 405},
      {"no such path", "GET /v2/check HTTP/1.1\r\n" + close + "\r\n", 404},
      {"reload without a token file", PostRequest("/v1/reload", "", close), 404},
      {"chunked body",
       "POST /v1/check HTTP/1.1\r\nTransfer-Encoding: chunked\r\n" + close +
           "\r\n6\r\n{\"text\r\n9\r\n\": \"bad\"}\r\n0\r\n\r\n",
       200},
  };
  for (const Case& c : cases) {
    RawClient client(service->Port());
    client.Send(c.request);
    const std::string reply = client.Receive(5s);
    EXPECT_TRUE(reply.starts_with("HTTP/1.1 " + std::to_string(c.status)))
        << c.what << ": " << reply;
    if (c.status != 200) {
      EXPECT_NE(reply.find("{\"error\":"), std::string::npos) << c.what;
    }
  }
  EXPECT_EQ(Generation(*service), 1u);
}

TEST_F(ServeTest, ReloadsByEndpointAndKeepsTheWordsWhenTheListIsBroken) {
  const std::string token = directory_.Write("token", "s3cret\n");
  const auto service = Start({"--token-file", token});
  const httplib::Headers authorized = {{"Authorization", "Bearer s3cret"}};
  for (const char* credentials : {"", "Bearer s3cre", "Bearer s3cret!", "Basic s3cret"}) {
    const httplib::Result refused =
        Post(*service, "/v1/reload", "", {{"Authorization", credentials}});
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, 401) << credentials;
  }

  directory_.Write("words.txt", "bad\n\xff\n");
  const httplib::Result failed = Post(*service, "/v1/reload", "", authorized);
  ASSERT_TRUE(failed);
  EXPECT_EQ(failed->status, 500);
  EXPECT_NE(failed->body.find("words.txt:2"), std::string::npos) << failed->body;
  EXPECT_EQ(Post(*service, "/v1/check", R"({"text": "병신"})")->body, R"({"listed":true})");

  directory_.Write("words.txt", "new\n");
  const httplib::Result reloaded = Post(*service, "/v1/reload", "", authorized);
  ASSERT_TRUE(reloaded);
  EXPECT_EQ(reloaded->body, R"({"status":"ok","generation":2,"words":1})");
  EXPECT_EQ(Post(*service, "/v1/check", R"({"text": "병신"})")->body, R"({"listed":false})");
  EXPECT_EQ(Post(*service, "/v1/check", R"({"text": "news"})")->body, R"({"listed":true})");

  httplib::Client client("127.0.0.1", service->Port());
  const std::string metrics = client.Get("/metrics")->body;
  EXPECT_NE(metrics.find("chatsieve_reloads_total 1\n"), std::string::npos);
  EXPECT_NE(metrics.find("chatsieve_reload_failures_total 1\n"), std::string::npos);
}

TEST_F(ServeTest, ReloadsOnSighup) {
  const auto service = Start();
  directory_.Write("words.txt", "new\n");
  service->Signal(SIGHUP);
  for (int tries = 0; tries < 500 && Generation(*service) != 2; ++tries)
    std::this_thread::sleep_for(10ms);
  EXPECT_EQ(Post(*service, "/v1/check", R"({"text": "news"})")->body, R"({"listed":true})");

  directory_.Write("words.txt", "bad\n\xff\n");
  service->Signal(SIGHUP);
  for (int tries = 0; tries < 500 && service->Log().find("reload failed") == std::string::npos;
       ++tries) {
    std::this_thread::sleep_for(10ms);
  }
  EXPECT_NE(service->Log().find("words.txt:2"), std::string::npos) << service->Log();
  EXPECT_EQ(Generation(*service), 2u);
}

TEST_F(ServeTest, SigtermAnswersTheRequestInFlightThenExits) {
  const auto service = Start();
  RawClient client(service->Port());
  const std::string request = PostRequest("/v1/check", R"({"text": "bad"})");
  ASSERT_TRUE(client.Send(request.substr(0, request.size() - 5)));
  std::this_thread::sleep_for(200ms);
  service->Signal(SIGTERM);
  std::this_thread::sleep_for(200ms);
  EXPECT_THROW(RawClient late(service->Port()), std::runtime_error);
  ASSERT_TRUE(client.Send(request.substr(request.size() - 5)));
  const std::string reply = client.Receive(5s);
  EXPECT_TRUE(reply.starts_with("HTTP/1.1 200")) << reply;
  EXPECT_NE(reply.find("Connection: close"), std::string::npos);
  EXPECT_EQ(service->Exit(5s), 0);
}

TEST_F(ServeTest, IdleAndSlowClientsHoldNoThread) {
  const auto service = Start({"--threads", "1"});
  const std::string request = PostRequest("/v1/check", R"({"text": "bad"})");
  const size_t head = request.find("\r\n\r\n") + 4;
  std::vector<std::unique_ptr<RawClient>> slow;
  for (int i = 0; i < 300; ++i) {
    slow.push_back(std::make_unique<RawClient>(service->Port()));
    // Idle, a head that never ends, or a body sent in part.
    if (i % 3 == 1) slow.back()->Send(request.substr(0, head - 10));
    if (i % 3 == 2) slow.back()->Send(request.substr(0, head + 5));
  }
  const auto started = std::chrono::steady_clock::now();
  const httplib::Result reply = Post(*service, "/v1/check", R"({"text": "bad"})");
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->body, R"({"listed":true})");
  EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
  httplib::Client client("127.0.0.1", service->Port());
  EXPECT_NE(client.Get("/metrics")->body.find("chatsieve_connections_open 30"), std::string::npos);

  // The rest of a body, and a client that waits to be told to send its body.
  ASSERT_TRUE(slow[2]->Send(request.substr(head + 5)));
  EXPECT_EQ(slow[2]->Status(), 200);
  RawClient waiting(service->Port());
  waiting.Send(request.substr(0, head - 2) + "Expect: 100-continue\r\n\r\n");
  EXPECT_EQ(waiting.Status(), 100);
  waiting.Send(request.substr(head));
  EXPECT_EQ(waiting.Status(), 200);
}

TEST_F(ServeTest, BodiesOnTheirWayHaveACap) {
  const auto service = Start({"--max-body", "67108864"});
  httplib::Client client("127.0.0.1", service->Port());
  const auto wait_for_pending = [&](const std::string& bytes) {
    while (
        client.Get("/metrics")->body.find("chatsieve_request_body_bytes_pending " + bytes + "\n") ==
        std::string::npos) {
      std::this_thread::sleep_for(10ms);
    }
  };
  auto large = std::make_unique<RawClient>(service->Port());
  large->Send("POST /v1/check HTTP/1.1\r\nContent-Length: 67108864\r\n\r\n{");
  wait_for_pending("67108864");
  RawClient small(service->Port());
  small.Send("POST /v1/check HTTP/1.1\r\nContent-Length: 15\r\n\r\n{\"text\"");
  EXPECT_EQ(small.Status(), 503);
  // The cap is given back with the connection that held it.
  large.reset();
  wait_for_pending("0");
  EXPECT_EQ(Post(*service, "/v1/check", R"({"text": "bad"})")->status, 200);
}

}  // namespace
}  // namespace chatsieve::testing
