#include "UnifiedDiff.h"

#include <algorithm>
#include <vector>

namespace tovrel::tool {
namespace {

constexpr std::size_t kContext = 3;
// Above this many cells the changed middle is shown as one replaced block.
constexpr std::size_t kMaxTable = 16'000'000;

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::size_t length = end == std::string_view::npos ? text.size() : end + 1;
    lines.push_back(text.substr(0, length));
    text.remove_prefix(length);
  }
  return lines;
}

enum class Edit { kKeep, kRemove, kAdd };

// The shortest edit script of the two line lists, by their longest common subsequence; the
// common start and end are kept without a table, as a settings change is mostly local.
std::vector<Edit> EditScript(const std::vector<std::string_view>& a,
                             const std::vector<std::string_view>& b) {
  std::size_t head = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
  std::size_t tail = 0;
  while (tail < a.size() - head && tail < b.size() - head &&
         a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) {
    ++tail;
  }
  const std::size_t n = a.size() - head - tail;
  const std::size_t m = b.size() - head - tail;
  std::vector<Edit> script(head, Edit::kKeep);
  if ((n + 1) * (m + 1) > kMaxTable) {
    script.insert(script.end(), n, Edit::kRemove);
    script.insert(script.end(), m, Edit::kAdd);
  } else {
    // common[i][j]: the longest common subsequence of a's and b's middles from i and j on.
    std::vector<std::size_t> common((n + 1) * (m + 1), 0);
    const auto at = [&](std::size_t i, std::size_t j) -> std::size_t& {
      return common[i * (m + 1) + j];
    };
    for (std::size_t i = n; i-- > 0;) {
      for (std::size_t j = m; j-- > 0;) {
        at(i, j) = a[head + i] == b[head + j] ? at(i + 1, j + 1) + 1
                                              : std::max(at(i + 1, j), at(i, j + 1));
      }
    }
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < n || j < m) {
      if (i < n && j < m && a[head + i] == b[head + j]) {
        script.push_back(Edit::kKeep);
        ++i;
        ++j;
      } else if (i < n && (j == m || at(i + 1, j) >= at(i, j + 1))) {
        script.push_back(Edit::kRemove);
        ++i;
      } else {
        script.push_back(Edit::kAdd);
        ++j;
      }
    }
  }
  script.insert(script.end(), tail, Edit::kKeep);
  return script;
}

std::string Line(char mark, std::string_view line) {
  std::string out(1, mark);
  out += line;
  if (line.empty() || line.back() != '\n') out += "\n\\ No newline at end of file\n";
  return out;
}

std::string Range(std::size_t start, std::size_t count) {
  // diff numbers an empty range by the line before it.
  const std::size_t first = count == 0 ? start : start + 1;
  std::string range = std::to_string(first);
  if (count != 1) (range += ',') += std::to_string(count);
  return range;
}

}  // namespace

std::string UnifiedDiff(std::string_view before, std::string_view after, const std::string& from,
                        const std::string& to) {
  if (before == after) return {};
  const std::vector<std::string_view> a = Lines(before);
  const std::vector<std::string_view> b = Lines(after);
  const std::vector<Edit> script = EditScript(a, b);
  std::string out = "--- " + from + "\n+++ " + to + "\n";
  std::size_t e = 0;
  std::size_t i = 0;
  std::size_t j = 0;
  while (e < script.size()) {
    if (script[e] == Edit::kKeep) {
      ++e;
      ++i;
      ++j;
      continue;
    }
    // A hunk: from up to three kept lines before the change to three after its last change,
    // changes closer than twice the context joined into one.
    const std::size_t back = std::min({kContext, i, j});
    std::size_t last = e;
    for (std::size_t k = e; k < script.size(); ++k) {
      if (script[k] != Edit::kKeep) {
        last = k;
      } else if (k - last > 2 * kContext) {
        break;
      }
    }
    const std::size_t end = std::min(script.size(), last + 1 + kContext);
    std::string body;
    std::size_t a_count = back;
    std::size_t b_count = back;
    for (std::size_t k = i - back; k < i; ++k) body += Line(' ', a[k]);
    const std::size_t a_start = i - back;
    const std::size_t b_start = j - back;
    for (; e < end; ++e) {
      if (script[e] == Edit::kKeep) {
        body += Line(' ', a[i++]);
        ++j;
        ++a_count;
        ++b_count;
      } else if (script[e] == Edit::kRemove) {
        body += Line('-', a[i++]);
        ++a_count;
      } else {
        body += Line('+', b[j++]);
        ++b_count;
      }
    }
    out += "@@ -" + Range(a_start, a_count) + " +" + Range(b_start, b_count) + " @@\n" + body;
  }
  return out;
}

}  // namespace tovrel::tool
