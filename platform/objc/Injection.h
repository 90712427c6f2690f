#pragma once
// The code-injection framework: add-on libraries installed on the simulated device register a
// constructor, and every app process launched runs all of them once, before the app's own code.
// The constructor itself decides (by bundle identifier) whether to do anything.

#include <string>
#include <vector>

namespace objc {

using AddOnConstructor = void (*)();

struct AddOn {
    std::string name;
    AddOnConstructor constructor;
};

class Injection {
public:
    static Injection& shared();

    // Installs an add-on (idempotent by name); `uninstall` removes it.
    void install(const std::string& name, AddOnConstructor constructor);
    void uninstall(const std::string& name);
    void uninstallAll();
    const std::vector<AddOn>& installed() const { return addOns_; }

    // Runs every installed constructor in installation order; called by the process launcher.
    void runConstructors() const;

private:
    std::vector<AddOn> addOns_;
};

}  // namespace objc
