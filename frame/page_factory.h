#pragma once
// The one place that knows which page class belongs to which dialog template.

class CSwBasePropPage;

enum class PageFactoryResult {
    Created,
    NoPageClass,  // the template id has no page class in this build
    OutOfMemory,
};

// Constructs the page of the dialog template; *page is NULL unless Created.
PageFactoryResult NewPageForDialog(int dialogId, CSwBasePropPage** page);
