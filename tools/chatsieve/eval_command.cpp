// `chatsieve eval`: how well a list, its reading and its policy tell abusive texts from
// the others, measured against texts people labelled.
#include <cstdio>
#include <string>

#include "commands.h"
#include "evaluation.h"
#include "filter_setup.h"
#include "json_text.h"
#include "option_parser.h"
#include "standard_output.h"

namespace chatsieve::tool {
namespace {

constexpr const char* kUsage =
    "usage: chatsieve eval --labels FILE [--labels-format plain|kmhas|kocohub] [OPTIONS]\n"
    "\n"
    "Screens every labelled text with the filter the options describe (by default the\n"
    "built-in Korean lexicon, the recommended reading and severity 2 or more) and prints\n"
    "precision, recall, F1 and the false-positive rate, the entries behind the false\n"
    "finds (most frequent first) and a sample of the abusive texts missed.\n"
    "\n"
    "Label formats: plain, TEXT<TAB>LABEL a line with 1 for abusive and 0 for not; kmhas,\n"
    "the K-MHaS files (profanity, label 3, abusive; 'not hate speech', 8 alone, not; other\n"
    "lines skipped); kocohub, the korean-hate-speech files (offensive or hate abusive,\n"
    "none not).\n"
    "\n"
    "options:\n";

constexpr const char* kStatuses =
    "\n"
    "exit status:\n"
    "  0  measured\n"
    "  2  bad usage, a list that does not load, or a labels file that cannot be read\n";

struct EvalSettings {
  FilterSetup filter;
  std::optional<std::string> labels;
  LabelFormat format = LabelFormat::kPlain;
  bool json = false;
  size_t false_find_words = 20;
  size_t misses = 10;
  bool help = false;
};

size_t CountOf(std::string_view option, std::string_view value) {
  size_t count = 0;
  for (const char c : value) {
    if (c < '0' || c > '9' || count > 100000)
      throw UsageError(std::string(option) + " takes a count, not " + Quoted(value));
    count = count * 10 + static_cast<size_t>(c - '0');
  }
  if (value.empty()) throw UsageError(std::string(option) + " takes a count");
  return count;
}

std::vector<CommandOption> OptionsOf(EvalSettings& settings) {
  std::vector<CommandOption> options{HelpOption(settings.help)};
  options.push_back({{"--labels", 0, "FILE", "the labelled texts"},
                     [&](std::string_view value) { settings.labels = std::string(value); }});
  options.push_back({{"--labels-format", 0, "F", "plain (default), kmhas or kocohub"},
                     [&](std::string_view value) {
                       if (value == "plain") {
                         settings.format = LabelFormat::kPlain;
                       } else if (value == "kmhas") {
                         settings.format = LabelFormat::kKmhas;
                       } else if (value == "kocohub") {
                         settings.format = LabelFormat::kKocohub;
                       } else {
                         throw UsageError("--labels-format takes plain, kmhas or kocohub, not " +
                                          Quoted(value));
                       }
                     }});
  for (CommandOption& option : FilterSetupOptions(settings.filter))
    options.push_back(std::move(option));
  options.push_back({{"--format", 0, "F", "text (default) or json"}, [&](std::string_view value) {
                       if (value != "text" && value != "json")
                         throw UsageError("--format takes text or json, not " + Quoted(value));
                       settings.json = value == "json";
                     }});
  options.push_back({{"--false-finds", 0, "N", "entries behind false finds shown (default 20)"},
                     [&](std::string_view value) {
                       settings.false_find_words = CountOf("--false-finds", value);
                     }});
  options.push_back(
      {{"--misses", 0, "N", "missed texts shown (default 10)"},
       [&](std::string_view value) { settings.misses = CountOf("--misses", value); }});
  return options;
}

std::string Percent(double share) {
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", 100 * share);
  return text;
}

void PrintText(const LabelledTexts& labelled, const Evaluation& result, size_t words_shown) {
  const size_t abusive = result.true_finds + result.misses;
  std::printf("texts: %zu (%zu abusive, %zu not", labelled.texts.size(), abusive,
              labelled.texts.size() - abusive);
  if (labelled.skipped > 0) std::printf("; %zu skipped, labelled neither way", labelled.skipped);
  std::printf(")\nprecision %s%%  recall %s%%  F1 %s  false-positive rate %s%%\n",
              Percent(result.Precision()).c_str(), Percent(result.Recall()).c_str(),
              Percent(result.F1()).c_str(), Percent(result.FalsePositiveRate()).c_str());
  std::printf("true finds %zu, false finds %zu, misses %zu, clean %zu\n", result.true_finds,
              result.false_finds, result.misses, result.clean);
  if (!result.false_find_words.empty()) std::printf("\nentries behind false finds:\n");
  for (size_t k = 0; k < std::min(words_shown, result.false_find_words.size()); ++k) {
    std::printf("  %6zu  %s\n", result.false_find_words[k].second,
                result.false_find_words[k].first.c_str());
  }
  if (!result.missed.empty()) std::printf("\na sample of the abusive texts missed:\n");
  for (const std::string& text : result.missed)
    std::printf("  %s\n", text.c_str());
}

void PrintJson(const LabelledTexts& labelled, const Evaluation& result, size_t words_shown) {
  std::string out = "{\"texts\":" + std::to_string(labelled.texts.size()) +
                    ",\"abusive\":" + std::to_string(result.true_finds + result.misses) +
                    ",\"skipped\":" + std::to_string(labelled.skipped) +
                    ",\"true_finds\":" + std::to_string(result.true_finds) +
                    ",\"false_finds\":" + std::to_string(result.false_finds) +
                    ",\"misses\":" + std::to_string(result.misses) +
                    ",\"clean\":" + std::to_string(result.clean);
  char figures[160];
  std::snprintf(figures, sizeof figures,
                ",\"precision\":%.4f,\"recall\":%.4f,\"f1\":%.4f,\"false_positive_rate\":%.5f",
                result.Precision(), result.Recall(), result.F1(), result.FalsePositiveRate());
  out += figures;
  out += ",\"false_find_words\":[";
  for (size_t k = 0; k < std::min(words_shown, result.false_find_words.size()); ++k) {
    out += k > 0 ? ",{\"word\":" : "{\"word\":";
    AppendJsonString(out, result.false_find_words[k].first);
    out += ",\"texts\":" + std::to_string(result.false_find_words[k].second) + "}";
  }
  out += "],\"missed\":[";
  for (size_t k = 0; k < result.missed.size(); ++k) {
    if (k > 0) out += ',';
    AppendJsonString(out, result.missed[k]);
  }
  out += "]}\n";
  std::fputs(out.c_str(), stdout);
}

}  // namespace

int RunEval(Arguments arguments) {
  EvalSettings settings;
  const std::vector<CommandOption> options = OptionsOf(settings);
  NoOperandsPast(ParseArguments(arguments, options), 0);
  if (settings.help) {
    std::fputs(kUsage, stdout);
    PrintOptionHelp(stdout, options);
    std::fputs(kStatuses, stdout);
    return 0;
  }
  if (!settings.labels) throw UsageError("--labels FILE is needed");
  const Filter filter = BuildFilter(settings.filter);
  const LabelledTexts labelled = ReadLabelledTexts(*settings.labels, settings.format);
  const Evaluation result = Evaluate(filter, labelled, settings.misses);
  if (settings.json) {
    PrintJson(labelled, result, settings.false_find_words);
  } else {
    PrintText(labelled, result, settings.false_find_words);
  }
  return FlushStandardOutput() ? 0 : 2;
}

}  // namespace chatsieve::tool
