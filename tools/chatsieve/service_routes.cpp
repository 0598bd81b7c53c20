#include "service_routes.h"

#include "endpoints.h"
#include "json_requests.h"
#include "reload_token.h"
#include "word_reload.h"

namespace chatsieve::tool {
namespace {

constexpr const char* kJson = "application/json";

void AnswerJson(httplib::Response& response, int status, const std::string& body) {
  response.status = status;
  response.set_content(body, kJson);
}

std::string ErrorMessage(int status, size_t max_body) {
  switch (status) {
    case 400:
      return "the request is not valid HTTP, or did not arrive whole in time";
    case 404:
      return "no such endpoint";
    case 413:
      return "the body is larger than " + std::to_string(max_body) + " bytes";
    case 414:
      return "the request line is too long";
    case 415:
      return "compressed bodies are not taken: send the JSON as it is";
    case 500:
      return "the service failed to answer";
    default:
      return "HTTP status " + std::to_string(status);
  }
}

}  // namespace

ServiceRoutes::ServiceRoutes(WordGenerations& words, SpeakerConversations& conversations,
                             ServiceMetrics& metrics, std::optional<std::string> reload_token,
                             size_t max_body, std::function<ServerGauges()> server_gauges)
    : words_(words),
      conversations_(conversations),
      metrics_(metrics),
      reload_token_(std::move(reload_token)),
      max_body_(max_body),
      server_gauges_(std::move(server_gauges)) {}

void ServiceRoutes::Answer(const httplib::Request& request, httplib::Response& response) {
  const std::optional<EndpointRoute> route = RouteOf(request.path);
  // Without a token the reload endpoint is not there at all.
  if (!route || (route->endpoint == Endpoint::kReload && !reload_token_)) {
    AnswerJson(response, 404, ErrorReply("no such endpoint: " + request.path));
    return;
  }
  const bool gets = route->method == "GET";
  if (request.method != route->method && !(gets && request.method == "HEAD")) {
    response.set_header("Allow", gets ? "GET, HEAD" : "POST");
    AnswerJson(response, 405,
               ErrorReply(request.path + " takes " + std::string(route->method) + " only"));
    return;
  }
  // Chunked bodies are read whole before their size is known.
  if (request.body.size() > max_body_) {
    AnswerJson(response, 413, ErrorReply(ErrorMessage(413, max_body_)));
    return;
  }
  switch (route->endpoint) {
    case Endpoint::kCheck:
      return Screen(Screening::kCheck, request, response);
    case Endpoint::kFind:
      return Screen(Screening::kFind, request, response);
    case Endpoint::kMask:
      return Screen(Screening::kMask, request, response);
    case Endpoint::kReload:
      return Reload(request, response);
    case Endpoint::kHealth:
      return AnswerJson(response, 200, GenerationReply(*words_.Current()));
    case Endpoint::kMetrics:
      response.set_content(
          metrics_.Render(*words_.Current(), server_gauges_(), conversations_.Gauges()),
          "text/plain; version=0.0.4; charset=utf-8");
      return;
  }
}

void ServiceRoutes::AnswerError(const httplib::Request&, httplib::Response& response) const {
  if (response.body.empty())
    response.set_content(ErrorReply(ErrorMessage(response.status, max_body_)), kJson);
}

void ServiceRoutes::Observe(const httplib::Request& request, const httplib::Response& response,
                            std::chrono::nanoseconds took) {
  const std::optional<EndpointRoute> route = RouteOf(request.path);
  metrics_.CountRequest(route ? std::optional(route->endpoint) : std::nullopt, response.status,
                        took);
}

void ServiceRoutes::Screen(Screening screening, const httplib::Request& request,
                           httplib::Response& response) {
  ScreeningRequest parsed;
  try {
    parsed = ParseScreeningRequest(request.body, screening == Screening::kMask);
  } catch (const RequestError& error) {
    AnswerJson(response, 400, ErrorReply(error.what()));
    return;
  }
  if (parsed.speaker) {
    const Clock::time_point now = Clock::now();
    SpeakerConversations::Lease conversation = conversations_.Use(*parsed.speaker, now);
    conversation->ScreenWith(words_.Current());
    const auto time = std::chrono::duration_cast<Conversation::Time>(now.time_since_epoch());
    AnswerJson(response, 200, ConversationReply(screening, *conversation, parsed, time));
  } else {
    AnswerJson(response, 200, ScreeningReply(screening, *words_.Current(), parsed));
  }
  metrics_.CountTexts(parsed.texts.size());
}

void ServiceRoutes::Reload(const httplib::Request& request, httplib::Response& response) {
  if (!AuthorizesReload(request.get_header_value("Authorization"), *reload_token_)) {
    response.set_header("WWW-Authenticate", "Bearer");
    AnswerJson(response, 401, ErrorReply("reloading needs 'Authorization: Bearer TOKEN'"));
    return;
  }
  if (const std::optional<std::string> failure = ReloadWords(words_, metrics_)) {
    AnswerJson(response, 500, FailedReloadReply(*failure, *words_.Current()));
    return;
  }
  AnswerJson(response, 200, GenerationReply(*words_.Current()));
}

}  // namespace chatsieve::tool
