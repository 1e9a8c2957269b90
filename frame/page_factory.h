#pragma once
// Builds the page of a dialog template from the module's page table.

class CSwBasePropPage;

enum class PageFactoryResult {
    Created,
    NoPageClass,  // the template id has no page class in this build
    OutOfMemory,
};

// Constructs the page of the dialog template; *page is NULL unless Created.
PageFactoryResult NewPageForDialog(int dialogId, CSwBasePropPage** page);
