/* The floor for parsing a draft: reads FILE, then times one bare cJSON parse of it. */
#include <cjson/cJSON.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static double Now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: cjson_parse FILE\n");
    return 2;
  }
  FILE* file = fopen(argv[1], "rb");
  if (!file) {
    perror(argv[1]);
    return 1;
  }
  fseek(file, 0, SEEK_END);
  long size = ftell(file);
  fseek(file, 0, SEEK_SET);
  char* text = malloc((size_t)size + 1);
  if (!text || fread(text, 1, (size_t)size, file) != (size_t)size) {
    fprintf(stderr, "%s: cannot read\n", argv[1]);
    return 1;
  }
  text[size] = 0;
  fclose(file);

  double start = Now();
  cJSON* root = cJSON_Parse(text);
  double parsed = Now();
  if (!root) {
    fprintf(stderr, "%s: not JSON\n", argv[1]);
    return 1;
  }
  printf("%.6f\n", parsed - start);
  return 0;
}
