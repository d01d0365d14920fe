// Opening, editing and searching the contacts table for files of 100 to 100 000 records, with
// `wc -l` over the same file as the floor: the least any reader of the whole file could take.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>

#include "table/wrenly_tables.h"

extern char** environ;

namespace wrenly {
namespace {

namespace fs = std::filesystem;

std::string ContactName(int Index) {
  return "First" + std::to_string(Index) + " M . Last" + std::to_string(Index);
}

// One contacts file per size, written once and removed at exit.
class Files {
 public:
  ~Files() {
    std::error_code ignored;
    if (!dir_.empty()) {
      fs::remove_all(dir_, ignored);
    }
  }

  std::string For(int Records) {
    if (dir_.empty()) {
      std::string pattern = (fs::temp_directory_path() / "wrenly-bench-XXXXXX").string();
      if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary directory");
      }
      dir_ = pattern;
    }
    auto [it, added] = paths_.try_emplace(Records);
    if (added) {
      it->second = (dir_ / ("contacts-" + std::to_string(Records) + ".csv")).string();
      std::ofstream out(it->second, std::ios::binary);
      out << "FIRSTNAME,MIDDLENAME,LASTNAME,FULLNAME,MOBILE1,MOBILE2,MOBILE3\r\n";
      for (int i = 0; i < Records; ++i) {
        out << "First" << i << ",Middle,Last" << i << "," << ContactName(i) << ",07700"
            << 100000 + i << ",,\r\n";
      }
    }
    return it->second;
  }

 private:
  fs::path dir_;
  std::map<int, std::string> paths_;
};

Files files;

void Configure(TCsvDataSet& Table, int Records) {
  ConfigureContactsDS(Table);
  Table.FileName = files.For(Records);
  Table.OnCalcFields = [](TDataSet& t) {
    t.FieldByName("CalcFullName")
        .SetAsString(t.FieldByName("FIRSTNAME").AsString() + " " +
                     t.FieldByName("LASTNAME").AsString());
  };
}

void OpenClose(benchmark::State& State) {
  const int records = static_cast<int>(State.range(0));
  TCsvDataSet table;
  Configure(table, records);
  for (auto _ : State) {
    table.Open();
    table.Close();
  }
  State.SetItemsProcessed(State.iterations() * records);
}

void OpenEditClose(benchmark::State& State) {
  const int records = static_cast<int>(State.range(0));
  TCsvDataSet table;
  Configure(table, records);
  bool flip = false;
  for (auto _ : State) {
    table.Open();
    table.SetRecNo(records / 2);
    table.Edit();
    table.FieldByName("MOBILE2").SetAsString((flip = !flip) ? "0711" : "0722");
    table.Post();
    table.Close();  // writes the whole file safely, synced
  }
  State.SetItemsProcessed(State.iterations() * records);
}

void LocateLast(benchmark::State& State) {
  const int records = static_cast<int>(State.range(0));
  TCsvDataSet table;
  Configure(table, records);
  table.Open();
  const std::string last = ContactName(records - 1);
  for (auto _ : State) {
    // The search starts at the first record wherever the cursor stands.
    if (!table.Locate("FULLNAME", last)) {
      State.SkipWithError("not found");
    }
  }
  State.SetItemsProcessed(State.iterations() * records);
}

void WcLines(benchmark::State& State) {
  const std::string path = files.For(static_cast<int>(State.range(0)));
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  char wc[] = "wc";
  char lines[] = "-l";
  std::string file = path;
  char* argv[] = {wc, lines, file.data(), nullptr};
  for (auto _ : State) {
    pid_t pid = 0;
    if (posix_spawnp(&pid, "wc", &actions, nullptr, argv, environ) != 0) {
      State.SkipWithError("cannot run wc");
      break;
    }
    int status = 0;
    waitpid(pid, &status, 0);
  }
  posix_spawn_file_actions_destroy(&actions);
  State.SetItemsProcessed(State.iterations() * State.range(0));
}

void Sizes(benchmark::internal::Benchmark* Bench) {
  Bench->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
}

BENCHMARK(OpenClose)->Apply(Sizes);
BENCHMARK(OpenEditClose)->Apply(Sizes);
BENCHMARK(LocateLast)->Apply(Sizes);
BENCHMARK(WcLines)->Apply(Sizes);

}  // namespace
}  // namespace wrenly
