// malvoret-prefix MACHINE.json OUT_DIR: writes machine.reg, the driver
// sources and build.sh into OUT_DIR, and lists on standard output what the
// prefix cannot carry.
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/wine_prefix/prefix_content.h"
#include "machine/machine_loader.h"

namespace {

bool Write(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        std::fprintf(stderr, "malvoret-prefix: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: malvoret-prefix MACHINE.json OUT_DIR\n");
        return 2;
    }
    machine::Machine machine;
    std::string error;
    if (!machine::MachineLoader::FromFile(argv[1], machine, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const std::string dir = argv[2];
    PrefixContent content = BuildPrefixContent(machine);
    bool ok = Write(dir + "/machine.reg", content.reg) &&
              Write(dir + "/driver.c", "int mvsi_driver(void) { return 0; }\n") &&
              Write(dir + "/build.sh", DriverBuildScript(content));
    for (std::size_t i = 0; ok && i < content.drivers.size(); ++i) {
        if (!content.drivers[i].script.empty()) {
            ok = Write(dir + "/driver" + std::to_string(i) + ".rc", content.drivers[i].script);
        }
    }
    for (const std::string& line : content.notRepresented) {
        std::printf("not represented: %s\n", line.c_str());
    }
    return ok ? 0 : 1;
}
