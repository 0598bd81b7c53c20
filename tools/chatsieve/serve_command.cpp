// `chatsieve serve`: the filter as an HTTP/JSON service.
#include <cinttypes>
#include <cstdio>
#include <exception>

#include "commands.h"
#include "http_server.h"
#include "reload_token.h"
#include "serve_settings.h"
#include "service_metrics.h"
#include "service_routes.h"
#include "signal_watcher.h"
#include "speaker_conversations.h"
#include "word_generations.h"
#include "word_reload.h"

namespace chatsieve::tool {
namespace {

void PrintHelp() {
  std::fputs(
      "usage: chatsieve serve [OPTIONS]\n\n"
      "Answers HTTP requests with JSON: POST /v1/check, /v1/find and /v1/mask take\n"
      "{\"text\": \"...\"} or {\"texts\": [...]} (at most 1000); GET /healthz, GET /metrics\n"
      "(Prometheus), and POST /v1/reload with --token-file. Positions count code\n"
      "points; byte_start and byte_end count UTF-8 bytes. With \"speaker\": \"NAME\"\n"
      "the texts are that speaker's next messages: a word sent in pieces is found in\n"
      "the message that completes it, with the \"parts\" it spans, and each answer\n"
      "says how many earlier messages it \"repeats\". SIGHUP loads the lists\n"
      "again; a reload that fails keeps the words in force. SIGTERM or SIGINT stops\n"
      "taking connections, answers the requests in flight and exits. Standard error\n"
      "says where it listens, and each reload.\n\n"
      "options:\n",
      stdout);
  PrintServeOptionHelp();
  std::fputs(
      "\nexit status:\n"
      "  0  stopped by SIGTERM or SIGINT\n"
      "  2  bad usage, a list or token file that cannot be read, or an address that\n"
      "     cannot be listened on\n",
      stdout);
}

}  // namespace

int RunServe(Arguments arguments) {
  const ServeSettings settings = ParseServeSettings(arguments);
  if (settings.help) {
    PrintHelp();
    return 0;
  }
  // Before any thread starts, so that only the watcher ever takes these signals.
  BlockServiceSignals();
  std::optional<std::string> token;
  if (settings.token_file) token = ReadReloadToken(*settings.token_file);
  WordGenerations words(settings);
  SpeakerConversations conversations(settings.conversations);
  ServiceMetrics metrics;
  ServerLimits limits;
  limits.threads = settings.threads;
  limits.max_body = settings.max_body;
  HttpServer* serving = nullptr;
  ServiceRoutes routes(
      words, conversations, metrics, std::move(token), settings.max_body, [&serving] {
        return ServerGauges{serving->OpenConnections(), serving->PendingBodyBytes()};
      });
  HttpServer server(
      limits, [&](const auto& request, auto& response) { routes.Answer(request, response); },
      [&](const auto& request, auto& response) { routes.AnswerError(request, response); },
      [&](const auto& request, const auto& response, std::chrono::nanoseconds took) {
        routes.Observe(request, response, took);
      });
  serving = &server;
  const std::string address = server.Listen(settings.listen);
  const auto in_force = words.Current();
  if (in_force->words == 0)
    std::fputs("chatsieve serve: no word is reported: the list is empty or the policy keeps none\n",
               stderr);
  std::fprintf(stderr,
               "chatsieve serve: listening on http://%s (%zu words, generation %" PRIu64 ")\n",
               address.c_str(), in_force->words, in_force->number);
  SignalWatcher watcher([&] { ReloadWords(words, metrics); }, [&] { server.Stop(); });
  server.Run();
  std::fputs("chatsieve serve: stopped\n", stderr);
  return 0;
}

}  // namespace chatsieve::tool
