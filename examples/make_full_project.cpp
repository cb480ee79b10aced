// kvem-make-full-project FILE: writes a project of full capacity (98 x 19 x 19).
#include <cstdio>

#include "full_project.h"
#include "platform/locale.h"
#include "platform/messenger.h"
#include "project/project_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kvem-make-full-project FILE.kvm\n");
    return 2;
  }
  kvem::StreamMessenger messenger(stderr);
  const kvem::Project project = kvem::examples::MakeFullProject();
  return kvem::WriteProject(project, argv[1], kvem::DecimalSeparatorFromEnvironment(), messenger)
             ? 0
             : 1;
}
