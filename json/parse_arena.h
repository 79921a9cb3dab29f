// A region allocator for the JSON library while one draft's tree lives: allocation is
// a pointer bump, freeing an item costs nothing, and the whole tree goes at once.
// Reading a draft parses one large tree, walks it once and drops it, which is what this
// suits; the general-purpose heap (Wine's above all) spends more time than the parser
// itself there. Only one arena is installed at a time; while it is, every tree the
// library makes comes from it, so none may outlive it.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace json {

class ParseArena {
 public:
  // Makes the JSON library allocate from the new arena (if the library lets it).
  ParseArena();
  ParseArena(const ParseArena&) = delete;
  ParseArena& operator=(const ParseArena&) = delete;
  // Gives the library its own heap back and frees the arena. Every tree parsed while
  // the arena was installed must have been released before.
  ~ParseArena();

  // `size` bytes for the library, or null when memory has run out.
  void* Allocate(size_t size);
  // True once an allocation has failed: a failed parse then says nothing about the draft.
  bool Exhausted() const { return exhausted_; }

  // Test hook: the next `count` blocks any arena asks the system for are refused, as
  // when memory has run out.
  static void RefuseBlocksForTests(int count);

 private:
  struct Block {
    std::unique_ptr<char[]> bytes;
    size_t size;
  };
  std::vector<Block> blocks_;
  char* next_ = nullptr;
  size_t left_ = 0;
  bool installed_ = false;
  bool exhausted_ = false;
};

}  // namespace json
