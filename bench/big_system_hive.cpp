#include "big_system_hive.h"

#include <string>
#include <vector>

namespace {

const char kUsb[] = "{36fc9e60-c465-11cf-8056-444553540000}";
const char k1394[] = "{6bdd1fc1-810f-11d0-bec7-08002be2092f}";
constexpr std::size_t kFilters = 50;

machine::RegValue Text(const std::string& text) {
    return machine::RegValue::String(text);
}

}  // namespace

machine::RegistryTree BigSystemTree(std::size_t devices, std::size_t services) {
    machine::RegistryTree tree;
    const std::string set = "ControlSet001";
    tree.Key({"HKEY_LOCAL_MACHINE", "SYSTEM", "Select"});
    tree.Value("Current", machine::RegValue::Dword(1));
    tree.Value("Default", machine::RegValue::Dword(1));
    tree.Value("LastKnownGood", machine::RegValue::Dword(2));
    const std::vector<std::string> control = {"HKEY_LOCAL_MACHINE", "SYSTEM", set, "Control"};
    auto key = [&](std::vector<std::string> path, std::initializer_list<std::string> more) {
        path.insert(path.end(), more);
        tree.Key(path);
    };
    key(control, {"Class", kUsb});
    tree.Value("Class", Text("USB"));
    key(control, {"Class", k1394});
    tree.Value("Class", Text("1394"));
    key(control, {"ProductOptions"});
    tree.Value("ProductType", Text("WinNT"));
    key(control, {"Windows"});
    tree.Value("CSDVersion", machine::RegValue::Dword(0));
    key(control, {"Session Manager", "Environment"});
    tree.Value("PROCESSOR_ARCHITECTURE", Text("AMD64"));
    tree.Value("NUMBER_OF_PROCESSORS", Text("8"));

    const std::size_t functions = services > kFilters ? services - kFilters : 1;
    const auto service = [&](std::size_t i) { return "drv" + std::to_string(i % services); };
    const std::vector<std::uint8_t> capabilities = {0x84, 0, 0, 0};
    const std::vector<std::uint8_t> driverDate = {0, 0x80, 0x8c, 0xa3, 0xc5, 0x94, 0xc6, 0x01};
    for (std::size_t i = 0; i < devices; ++i) {
        const std::string id =
            "VID_" + std::to_string(1000 + i % 9000) + "&PID_" + std::to_string(i);
        const std::vector<std::string> instance = {"HKEY_LOCAL_MACHINE",
                                                   "SYSTEM",
                                                   set,
                                                   "Enum",
                                                   "USB",
                                                   id,
                                                   "7&3a&0&" + std::to_string(i % 16)};
        tree.Key(instance);
        const bool is1394 = i % 10 == 9;
        tree.Value("DeviceDesc",
                   Text("@usb.inf,%usb\\device.devicedesc%;USB Device " + std::to_string(i)));
        tree.Value("HardwareID",
                   machine::RegValue::MultiString({"USB\\" + id + "&REV_0100", "USB\\" + id}));
        tree.Value("CompatibleIDs",
                   machine::RegValue::MultiString({"USB\\Class_ff&SubClass_00&Prot_00",
                                                   "USB\\Class_ff&SubClass_00", "USB\\Class_ff"}));
        tree.Value("Service", Text(service(i % functions)));
        tree.Value("ClassGUID", Text(is1394 ? k1394 : kUsb));
        tree.Value("Class", Text(is1394 ? "1394" : "USB"));
        tree.Value("Driver", Text(std::string(is1394 ? k1394 : kUsb) + "\\" +
                                  std::to_string(10000 + i).substr(1)));
        tree.Value("Mfg", Text("@usb.inf,%generic.mfg%;(Generic USB Device)"));
        tree.Value("ConfigFlags", machine::RegValue::Dword(0));
        tree.Value("Capabilities", machine::RegValue{win::REG_DWORD, capabilities});
        tree.Value("UpperFilters",
                   machine::RegValue::MultiString({service(functions + i % (kFilters / 2))}));
        tree.Value("LowerFilters", machine::RegValue::MultiString(
                                       {service(functions + kFilters / 2 + i % (kFilters / 2))}));
        std::vector<std::string> parameters = instance;
        parameters.emplace_back("Device Parameters");
        tree.Key(parameters);
        tree.Value("SymbolicName", Text("\\??\\USB#" + id + "#7&3a&0&" + std::to_string(i % 16) +
                                        "#{a5dcbf10-6530-11d2-901f-00c04fb951ed}"));
        tree.Value("SelectiveSuspendEnabled", machine::RegValue::Dword(1));
        // The driver package the Driver value names, for reports with details.
        key(control, {"Class", is1394 ? k1394 : kUsb, std::to_string(10000 + i).substr(1)});
        tree.Value("ProviderName", Text("Example Corp."));
        tree.Value("DriverVersion", Text("6.1.7601." + std::to_string(i % 30000)));
        tree.Value("DriverDate", Text("6-21-2006"));
        tree.Value("DriverDateData", machine::RegValue{win::REG_BINARY, driverDate});
        tree.Value("InfPath", Text("oem" + std::to_string(i % 100) + ".inf"));
        tree.Value("InfSection", Text("Generic.Install"));
        tree.Value("MatchingDeviceId", Text("usb\\class_ff"));
        tree.Value("DriverDesc", Text("USB Device " + std::to_string(i)));
    }

    for (std::size_t i = 0; i < services; ++i) {
        const std::string name = service(i);
        tree.Key({"HKEY_LOCAL_MACHINE", "SYSTEM", set, "Services", name});
        tree.Value("Type", machine::RegValue::Dword(1));
        tree.Value("Start", machine::RegValue::Dword(3));
        tree.Value("ErrorControl", machine::RegValue::Dword(1));
        tree.Value("ImagePath",
                   machine::RegValue::String("\\SystemRoot\\System32\\drivers\\" + name + ".sys",
                                             win::REG_EXPAND_SZ));
        tree.Value("DisplayName", Text("Synthetic driver " + name));
        tree.Value("Group", Text("Base"));
    }
    return tree;
}
