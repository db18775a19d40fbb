#include "locator/install_locator.h"

#include "locator/catalogue_component_lookup.h"
#include "locator/edition_search.h"
#include "locator/registry_values.h"
#include "text/cp949.h"

namespace varnett {

namespace {

constexpr char kConfigKey[] = "SOFTWARE\\Trovek\\Config";
constexpr char kHideFolderValue[] = "HideFolder";
constexpr char kDefaultHideFolder[] = "D:\\PLX";

}  // namespace

InstallLocator::InstallLocator(LocatorSystem system)
    : system_(system), catalogue_(new CatalogueComponentLookup(system.files, system.dialogs)) {}

InstallLocator::~InstallLocator() = default;

void InstallLocator::Run(EditionPaths& paths) {
  LocatorContext context{system_, *catalogue_, trace_};

  paths.DocumentsFolder = system_.environment.DocumentsFolder();
  context.Record([&] {
    LocatorStep record;
    record.source = LocatorStep::Source::kDocumentsFolder;
    record.outcome = paths.DocumentsFolder.empty() ? LocatorStep::Outcome::kNotFound
                                                   : LocatorStep::Outcome::kFound;
    record.folder = paths.DocumentsFolder;
    return record;
  });

  // Used as read: a wrong hidden folder only makes the catalogue absent.
  std::string hide_folder = ReadMachineValue(system_.registry, kConfigKey, kHideFolderValue);
  bool blank = IsBlank(hide_folder);
  if (blank) hide_folder = kDefaultHideFolder;
  context.Record([&] {
    LocatorStep record;
    record.source = LocatorStep::Source::kHideFolder;
    record.outcome = blank ? LocatorStep::Outcome::kDefault : LocatorStep::Outcome::kFound;
    record.path = kConfigKey;
    record.value_name = kHideFolderValue;
    record.folder = hide_folder;
    return record;
  });
  paths.HideFolder = hide_folder;

  std::string catalogue = CataloguePath(paths.HideFolder);
  paths.NetmarbleFolder = LocateNetmarble(context, catalogue);
  paths.NexonFolder = LocateNexon(context, catalogue);
}

}  // namespace varnett
