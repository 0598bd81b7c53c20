// What the service answers on each path, and how it counts what it answered.
#pragma once

#include <httplib.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "json_replies.h"
#include "service_metrics.h"
#include "speaker_conversations.h"
#include "word_generations.h"

namespace chatsieve::tool {

class ServiceRoutes {
 public:
  // `reload_token`: none turns POST /v1/reload off.
  ServiceRoutes(WordGenerations& words, SpeakerConversations& conversations,
                ServiceMetrics& metrics, std::optional<std::string> reload_token, size_t max_body,
                std::function<ServerGauges()> server_gauges);

  void Answer(const httplib::Request& request, httplib::Response& response);
  // A JSON body for an error status that has none yet.
  void AnswerError(const httplib::Request& request, httplib::Response& response) const;
  void Observe(const httplib::Request& request, const httplib::Response& response,
               std::chrono::nanoseconds took);

 private:
  void Screen(Screening screening, const httplib::Request& request, httplib::Response& response);
  void Reload(const httplib::Request& request, httplib::Response& response);

  WordGenerations& words_;
  SpeakerConversations& conversations_;
  ServiceMetrics& metrics_;
  const std::optional<std::string> reload_token_;
  const size_t max_body_;
  const std::function<ServerGauges()> server_gauges_;
};

}  // namespace chatsieve::tool
