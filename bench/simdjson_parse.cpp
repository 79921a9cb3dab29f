// The floor for reading a draft: the whole process loads FILE and parses it into
// simdjson's document once. Prints the parse time in seconds.
#include <simdjson.h>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: simdjson_parse FILE\n");
    return 2;
  }
  simdjson::padded_string text;
  if (simdjson::padded_string::load(argv[1]).get(text) != simdjson::SUCCESS) {
    std::fprintf(stderr, "%s: cannot read\n", argv[1]);
    return 1;
  }
  auto start = std::chrono::steady_clock::now();
  simdjson::dom::parser parser;
  simdjson::dom::element root;
  if (parser.parse(text).get(root) != simdjson::SUCCESS) {
    std::fprintf(stderr, "%s: not JSON\n", argv[1]);
    return 1;
  }
  std::printf("%.6f\n",
              std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  return 0;
}
