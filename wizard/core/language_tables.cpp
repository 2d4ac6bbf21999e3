#include "core/language_tables.hpp"

namespace vantrel::wizard {
namespace {

constexpr LanguageTable kEnglish{
    u"Comic Sans MS",
    u"Vantrel Setting Wizard",
    {u"Step 1", u"Step 2", u"Step 3", u"Step 4"},
    {u"Choose Vantrel.dll", u"Choose ServUDaemon.exe", u"Choose ServUPath.asp",
     u"Rewrite ServUPath.asp"},
    u"Then publish ",
    u"\\Web as a sub directory on your website.",
    u"Make sure your have installed the Serv-U FTP before install the Vantrel!",
    {u"Choose Vantrel.dll", u"Choose ServUDaemon.exe", u"Choose ServUPath.asp"},
    {{{u"ActiveX Dll File(*.dll)", u"*.dll"},
      {u"Execute File(*.exe)", u"*.exe"},
      {u"Active Server Page File(*.asp)", u"*.asp"}}},
    u"The Vantrel.dll has not found!",
    u"The ServUDaemon.exe has not found!",
    u"Make sure the path of the ServUPath.asp is correct!",
    u"Rewrite the ServUPath.asp successful! ",  // the final blank is part of the text
};

constexpr LanguageTable kSimplifiedChinese{
    u"宋体",
    u"Vantrel 设置向导",
    {u"步骤一", u"步骤二", u"步骤三", u"步骤四"},
    {u"选择Vantrel.dll", u"选择ServUDaemon.exe", u"选择ServUPath.asp", u"改写ServUPath.asp"},
    u"然后将",
    u"\\Web目录设置为主页下面的一个子目录，您可将此目录移动后再设置。",
    u"安装本软件之前，请确认您安装了Serv-U FTP!",
    {u"选择 Vantrel.dll", u"选择 ServUDaemon.exe", u"选择 ServUPath.asp"},
    {{{u"ActiveX Dll组件(*.dll)", u"*.dll"},
      {u"应用程序(*.exe)", u"*.exe"},
      {u"ASP动态网页(*.asp)", u"*.asp"}}},
    u"组件Vantrel.dll没有找到！",
    u"应用程序ServUDaemon.exe没有找到！",
    u"检查ServUPath.asp的路径是否正确！",
    u"改写文件ServUPath.asp成功！",
};

constexpr LanguageTable kTraditionalChinese{
    u"宋体",
    u"Vantrel 設置向導",
    {u"步驟一", u"步驟二", u"步驟三", u"步驟四"},
    {u"選擇Vantrel.dll", u"選擇ServUDaemon.exe", u"選擇ServUPath.asp", u"改寫ServUPath.asp"},
    u"然後將",
    u"\\Web目錄設置為主葉下面的一個子目錄，您可將此目錄移動後再設置。",
    u"安裝本軟體之前，請確認您安裝了Serv-U FTP!",
    {u"選擇 Vantrel.dll", u"選擇 ServUDaemon.exe", u"選擇 ServUPath.asp"},
    {{{u"ActiveX Dll組件(*.dll)", u"*.dll"},
      {u"應用程式(*.exe)", u"*.exe"},
      {u"ASP動態網葉(*.asp)", u"*.asp"}}},
    u"組件Vantrel.dll沒有找到！",
    u"應用程式ServUDaemon.exe沒有找到！",
    u"檢查ServUPath.asp的路徑是否正確！",
    u"改寫文件ServUPath.asp成功！",
};

constexpr LanguageTable kJapanese{
    u"PGothic",
    u"Vantrel 設置ウィザード",
    {u"ステップ一", u"ステップ二", u"ステップ三", u"ステップ四"},
    {u"Vantrel.dll選択", u"ServUDaemon.exe選択", u"ServUPath.asp選択", u"ServUPath.asp更新"},
    u"そして",
    // Begins with the fullwidth yen sign (U+FFE5), the Japanese rendering of the backslash.
    u"\uFFE5Webディレクトリがホンページの次の親ディレクトリを設置できます，"
    u"そのディレクトリ移動したら設置できます。",
    u"該当ソフトインストール前に，Serv-U FTPをインストールしたことを確認してください!",
    {u"Vantrel.dll選択", u"ServUDaemon.exe選択", u"ServUPath.asp選択"},
    {{{u"ActiveX Dllコンポーネント(*.dll)", u"*.dll"},
      {u"應用プログラム(*.exe)", u"*.exe"},
      {u"ASPアクションページ(*.asp)", u"*.asp"}}},
    u"コンポーネントVantrel.dll見つかりません！",
    u"應用プログラムServUDaemon.exe見つかりません！",
    u"ServUPath.aspのディレクトリを確認してください！",
    u"ファイルServUPath.aspを更新成功しました！",
};

}  // namespace

const LanguageTable& TableOf(Language language) {
  switch (language) {
    case Language::SimplifiedChinese: return kSimplifiedChinese;
    case Language::TraditionalChinese: return kTraditionalChinese;
    case Language::Japanese: return kJapanese;
    case Language::English: break;
  }
  return kEnglish;
}

}  // namespace vantrel::wizard
