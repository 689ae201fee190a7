#include "firm/ItemDefinitions.h"

namespace {

// A line added to the previous one without a line break.
DefinitionLine joined(const char *utf8)
{
    return DefinitionLine(utf8, true);
}

QVector<ItemDefinition> buildDefinitions()
{
    return {
        {"lblCash",
         "Cash",
         {"CASH AND DEPOSITS DEFINITION",
          {"Inclusions", "a)  demand, notice, savings and term deposits",
           "b)  restricted demand deposits",
           "c)  guaranteed investment certificates and debentures",
           "d)  guaranteed savings certificates", "e)  deposit receipts",
           "f)  bearer deposit notes", "g)  swapped deposits"}},
         {"DÉFINITION ENCAISSE ET DÉPÔTS",
          {"Inclure", "a)  dépôts à vue, à préavis, d'épargne et à terme",
           "b)  dépôts à vue restrictifs",
           "c)  certificats de placement garanti et obligations garanties et non garanties",
           "d)  dépôts de certificats de placement garanti", "e)  recettes sous forme de dépôts",
           "f)  billets au porteur", "g)  dépôts swaps"}}},

        {"lblReceivables",
         "Ar",
         {"ACCOUNTS RECEIVABLE DEFINITION",
          {"Inclusions",
           "a)  trade accounts receivable, net of the allowance for doubtful accounts",
           "b)  notes receivable from customers",
           "c)  amounts receivable under instalment sales contracts",
           "d)  accrued revenue and unbilled amounts on contracts in progress",
           "e)  holdbacks receivable on contracts", "f)  dividends, interest and rents receivable",
           "g)  income taxes recoverable", "h)  other receivables, including",
           "     i)  amounts due from employees and shareholders",
           "     ii)  advances to suppliers", "     iii)  claims receivable from insurers",
           "Exclusions",
           "a)  amounts receivable from affiliates (report them under investments with "
           "affiliates)"}},
         {"DÉFINITION COMPTES DÉBITEURS",
          {"Inclure",
           "a)  comptes clients, déduction faite de la provision pour créances douteuses",
           "b)  effets à recevoir des clients",
           "c)  sommes à recevoir en vertu de contrats de vente à tempérament",
           "d)  produits courus et montants non facturés sur les contrats en cours",
           "e)  retenues de garantie à recevoir sur les contrats",
           "f)  dividendes, intérêts et loyers à recevoir", "g)  impôts sur le revenu recouvrables",
           "h)  autres débiteurs, y compris",
           "     i)  sommes dues par les employés et les actionnaires",
           "     ii)  avances aux fournisseurs", "     iii)  indemnités à recevoir des assureurs",
           "Exclure",
           "a)  sommes à recevoir des sociétés affiliées (à déclarer sous placements auprès de "
           "sociétés affiliées)"}}},

        {"lblInventory",
         "Inv",
         {"INVENTORIES DEFINITION",
          {"Inclusions", "a)  raw materials and supplies", "b)  goods in process",
           "c)  finished goods", "d)  goods purchased for resale",
           "e)  work in progress on contracts, net of progress billings",
           "f)  goods in transit and goods on consignment owned by the firm",
           "g)  land and buildings held for resale by real estate developers",
           "h)  packaging materials and spare parts not held as capital assets",
           "Inventories are valued at the lower of cost and net realizable value."}},
         {"DÉFINITION STOCKS",
          {"Inclure", "a)  matières premières et fournitures", "b)  produits en cours",
           "c)  produits finis", "d)  marchandises achetées pour la revente",
           "e)  travaux en cours sur contrats, déduction faite de la facturation proportionnelle",
           "f)  marchandises en transit et en consignation appartenant à l'entreprise",
           "g)  terrains et bâtiments détenus pour la revente par les promoteurs immobiliers",
           "h)  matériaux d'emballage et pièces de rechange non comptés dans les immobilisations",
           "Les stocks sont évalués au moindre du coût et de la valeur de réalisation nette."}}},

        {"lblCapitalAssets",
         "CA",
         {"CAPITAL ASSETS DEFINITION",
          {"Capital assets are the assets held for use in producing goods and services, for "
           "rental to others or for administration, reported at cost less accumulated "
           "amortization.",
           "Inclusions", "a)  land", "b)  buildings and leasehold improvements",
           "c)  machinery and equipment", "d)  furniture, fixtures and office equipment",
           "e)  motor vehicles and other transportation equipment",
           "f)  assets under capital leases", "g)  construction in progress",
           "h)  natural resource properties, timber limits and mining rights",
           "i)  patents, trademarks, licences and franchises",
           "j)  goodwill and other intangible assets", "Exclusions",
           "a)  land and buildings held for resale (report them under inventories)",
           "b)  accumulated depreciation, depletion and amortization"}},
         {"DÉFINITION IMMOBILISATIONS",
          {"Les immobilisations sont les actifs détenus pour la production de biens et de "
           "services, pour la location à des tiers ou pour l'administration, déclarés au coût "
           "moins l'amortissement cumulé.",
           "Inclure", "a)  terrains", "b)  bâtiments et améliorations locatives",
           "c)  machines et matériel", "d)  mobilier, agencements et matériel de bureau",
           "e)  véhicules automobiles et autre matériel de transport",
           "f)  biens loués en vertu de contrats de location-acquisition",
           "g)  constructions en cours",
           "h)  biens de ressources naturelles, concessions forestières et droits miniers",
           "Exclure", "a)  terrains et bâtiments détenus pour la revente (à déclarer sous stocks)",
           "b)  amortissement et épuisement cumulés"}}},

        {"lblOtherAssets",
         "OA",
         {"OTHER ASSETS DEFINITION",
          {"This amount includes all assets not entered above, such as prepaid expenses, "
           "deferred charges and deposits."}},
         {"DÉFINITION AUTRES ACTIFS",
          {"Ce montant comprend tous les actifs qui ne sont pas inscrits ci-dessus, comme les "
           "frais payés d'avance, les frais reportés et les dépôts."}}},

        {"lblTotalOA",
         "Toa",
         {"TOTAL OPERATING ASSETS DEFINITION",
          {"This amount should include all assets relevant to operating activities.  It should "
           "also be equal to the sum of the amounts entered above."}},
         {"DÉFINITION TOTAL, ACTIFS D'EXPLOITATION",
          {"Ce montant comprend tous actifs ayant rapport aux activités d'exploitation.  Il "
           "devrait être égal à la somme des chiffres ci-dessus."}}},

        {"lblInvestments",
         "Invest",
         {"INVESTMENT WITH AFFILIATES DEFINITION",
          {"Inclusions", "a)  shares of affiliates, at cost or on the equity basis",
           "b)  loans and advances to affiliates", "c)  bonds and debentures issued by affiliates",
           "An affiliate is a company that controls the firm, ",
           joined("is controlled by it or is under the same control.")}},
         {"DÉFINITION PLACEMENTS AUPRÈS DE SOCIÉTÉS AFFILIÉES",
          {"Inclure", "a)  actions de sociétés affiliées, au coût ou à la valeur de consolidation",
           "b)  prêts et avances aux sociétés affiliées",
           "c)  obligations et débentures émises par des sociétés affiliées",
           "Une société affiliée est une société qui contrôle l'entreprise, ",
           joined("qui est contrôlée par elle ou qui est sous le même contrôle.")}}},

        {"lblPortfolio",
         "Ptfl",
         {"PORTFOLIO INVESTMENTS",
          {"Inclusions", "a)  Government of Canada treasury bills and bonds",
           "b)  provincial and municipal bonds",
           "c)  shares and bonds of Canadian companies that are not affiliates",
           "d)  foreign securities", "e)  commercial paper and bankers' acceptances",
           "f)  mortgages and loans held as investments",
           "g)  cash surrender value of life insurance policies"}},
         {"DÉFINITION PLACEMENTS DE PORTEFEUILLE",
          {"Inclure", "a)  bons du Trésor et obligations du gouvernement du Canada",
           "b)  obligations provinciales et municipales",
           "c)  actions et obligations de sociétés canadiennes non affiliées",
           "d)  titres étrangers", "e)  papier commercial et acceptations bancaires",
           "f)  hypothèques et prêts détenus comme placements",
           "g)  valeur de rachat des polices d'assurance-vie"}}},

        {"lblTotalAssets",
         "Ta",
         {"TOTAL ASSETS DEFINITION",
          {"This amount should be the sum of the values entered for total operating assets, "
           "investments with affiliates and portfolio investments."}},
         {"DÉFINITION TOTAL,ACTIFS",
          {"Ce montant devrait être la somme des valeurs pour total, actifs d'exploitation, "
           "placements auprès de sociétés affiliées et placements de portefeuille."}}},

        {"lblOperatingRevenue",
         "OperatingRevenue",
         {"ANNUAL OPERATING REVENUE DEFINITION",
          {"Operating revenue is the revenue earned from the firm's main activities, ",
           joined("net of returns, allowances and discounts."), "Inclusions",
           "a)  sales of goods and services",
           "b)  rental, commission and other revenue from operations"}},
         {"DÉFINITION RECETTES d 'EXPLOITATION ANNUELLES",
          {"Les recettes d'exploitation sont les recettes tirées des activités principales de "
           "l'entreprise, ",
           joined("déduction faite des rendus, rabais et escomptes."), "Inclure",
           "a)  ventes de biens et de services",
           "b)  loyers, commissions et autres recettes d'exploitation"}}},

        {"lblRevenue",
         "Sales",
         {"SALES OF GOODS AND SERVICES DEFINITION ",
          {"This amount is the revenue from the sale of goods and services, net of returns, "
           "allowances and discounts, before any expense is deducted."}},
         {"DÉFINITION VENTES DE BIENS ET DE SERVICES ANNUELLES",
          {"Ce montant correspond aux recettes tirées de la vente de biens et de services, "
           "déduction faite des rendus, rabais et escomptes, avant déduction des dépenses."}}},

        {"lblGrossProfit",
         "GrossProfit",
         {"GROSS PROFIT DEFINITION ",
          {"This amount is the sales of goods and services less the cost of the goods sold and "
           "of the services provided."}},
         {"DÉFINITION BÉNÉFICE BRUTE ANNUELLES",
          {"Ce montant correspond aux ventes de biens et de services moins le coût des "
           "marchandises vendues et des services fournis."}}},

        {"lblOperatingProfit",
         "OperatingProfit",
         {"OPERATING PROFIT DEFINITION ",
          {"Operating profit is the operating revenue less the operating expenses.",
           "Operating expenses include", "a)  cost of goods sold",
           "b)  salaries, wages and employee benefits", "c)  rent, repairs and maintenance",
           "d)  depreciation, depletion and amortization",
           "e)  selling, general and administrative expenses",
           "Interest expense on debt, income taxes and gains or losses on the sale of assets "
           "are not operating expenses."}},
         {"DÉFINITION REVENUS D 'EXPLOITATION ANNUELLES",
          {"Le bénéfice d'exploitation correspond aux recettes d'exploitation moins les "
           "dépenses d'exploitation.",
           "Les dépenses d'exploitation comprennent", "a)  coût des marchandises vendues",
           "b)  salaires, traitements et avantages sociaux", "c)  loyers, réparations et entretien",
           "d)  amortissement et épuisement",
           "e)  frais de vente, frais généraux et frais d'administration",
           "Les frais d'intérêt sur dettes, les impôts sur le revenu et les gains ou pertes sur "
           "la vente d'actifs ne sont pas des dépenses d'exploitation."}}},

        {"lblInterestExpense",
         "InterestExpense",
         {"INTEREST EXPENSE ON DEBT DEFINITION",
          {"Inclusions", "a)  interest on bank loans", "b)  interest on short-term paper",
           "c)  interest on mortgages", "d)  interest on bonds and debentures",
           "e)  interest on amounts owing to affiliates", "f)  interest on other loans",
           "g)  interest portion of capital lease payments",
           "h)  amortization of discounts and premiums on bonds",
           "i)  financing charges and standby fees", "Exclusions",
           "a)  interest on accounts payable and on customer deposits"}},
         {"DÉFINITION FRAIS d 'INTÉRÊT SUR DETTES ANNUELLES",
          {"Inclure", "a)  intérêts sur les emprunts bancaires",
           "b)  intérêts sur le papier à court terme", "c)  intérêts sur les hypothèques",
           "d)  intérêts sur les obligations et débentures",
           "e)  intérêts sur les sommes dues aux sociétés affiliées",
           "f)  intérêts sur les autres emprunts",
           "g)  partie intérêts des paiements de location-acquisition",
           "h)  amortissement des escomptes et primes d'émission d'obligations",
           "i)  frais de financement et commissions d'attente", "Exclure",
           "a)  intérêts sur les comptes créditeurs et sur les dépôts des clients"}}},

        {"lblPretaxProfit",
         "PretaxProfit",
         {"PRETAX PROFIT DEFINITION",
          {"This amount is the profit before income taxes, after all operating and "
           "non-operating revenues and expenses, including interest expense, gains and "
           "losses."}},
         {"DÉFINITION BÉNÉFICE AVANT IMPÔTS ANNUELLES",
          {"Ce montant correspond au bénéfice avant impôts sur le revenu, après toutes les "
           "recettes et dépenses d'exploitation et hors exploitation, y compris les frais "
           "d'intérêt, les gains et les pertes."}}},

        {"lblAftertaxProfit",
         "ProfitAfterTax",
         {"NET PROFIT DEFINITION",
          {"This amount is the profit before income taxes less the current and deferred income "
           "taxes of the year."}},
         {"DÉFINITION BÉNÉFICE NETTE ANNUELLES",
          {"Ce montant correspond au bénéfice avant impôts moins les impôts sur le revenu "
           "exigibles et reportés de l'année."}}},

        {"lblAccountPayable",
         "AccountsPayable",
         {"ACCOUNTS PAYABLE DEFINITION",
          {"Inclusions", "a)  trade accounts payable", "b)  accrued liabilities, including",
           "i)  salaries, wages and vacation pay", "ii)  interest and property taxes",
           "c)  income taxes payable", "d)  dividends payable"}},
         {"DÉFINITION COMPTES CRÉDITEURS",
          {"Inclure", "a)  comptes fournisseurs", "b)  charges à payer, y compris",
           "i)  salaires, traitements et indemnités de vacances",
           "ii)  intérêts et impôts fonciers", "c)  impôts sur le revenu à payer",
           "d)  dividendes à payer"}}},

        {"lblBanks",
         "Banks",
         {"BANK LOANS DEFINITION",
          {"Inclusions", "a)  loans from chartered banks, trust companies and credit unions",
           "b)  bank overdrafts", "c)  amounts drawn on lines of credit",
           "d)  bankers' acceptances drawn by the firm"}},
         {"DÉFINITION EMPRUNTS BANCAIRES",
          {"Inclure",
           "a)  emprunts auprès des banques à charte, des sociétés de fiducie et des "
           "caisses populaires",
           "b)  découverts bancaires", "c)  sommes tirées sur les marges de crédit",
           "d)  acceptations bancaires tirées par l'entreprise"}}},

        {"lblShortterm",
         "Paper",
         {"SHORT-TERM PAPER DEFINITION ",
          {"Inclusions", "a)  commercial paper issued by the firm",
           "b)  promissory notes due within one year",
           "c)  other short-term notes sold on the money market"}},
         {"DÉFINITION PAPIER À COURT TERME",
          {"Inclure", "a)  papier commercial émis par l'entreprise",
           "b)  billets à ordre échéant dans moins d'un an",
           "c)  autres effets à court terme vendus sur le marché monétaire"}}},

        {"lblMortgages",
         "Mtg",
         {"MORTGAGE LOANS DEFINITION ",
          {"This amount includes all loans secured by mortgages on land and buildings, "
           "including the portion due within one year, except mortgages owing to "
           "affiliates."}},
         {"DÉFINITION HYPOTHÉQUES",
          {"Ce montant comprend tous les emprunts garantis par une hypothèque sur des terrains "
           "et des bâtiments, y compris la partie échéant dans moins d'un an, sauf les "
           "hypothèques dues aux sociétés affiliées."}}},

        {"lblBonds",
         "Bonds",
         {"BONDS AND DEBENTURES DEFINITION",
          {"Inclusions", "a)  bonds and debentures", "b)  collateral trust notes",
           "c)  serial bonds", "d)  convertible debentures",
           "e)  sinking fund debentures, less the bonds held in the sinking fund",
           "Bonds and debentures held by affiliates are entered as amounts owing to "
           "affiliates."}},
         {"DÉFINITION OBLIGATIONS",
          {"Inclure", "a)  obligations et débentures", "b)  billets garantis par nantissement",
           "c)  obligations échéant en série", "d)  débentures convertibles",
           "e)  débentures à fonds d'amortissement, moins les obligations détenues dans le "
           "fonds",
           "Les obligations et débentures détenues par des sociétés affiliées sont inscrites "
           "comme sommes dues aux sociétés affiliées."}}},

        {"lblOtherLoans",
         "Ol",
         {"OTHER LOANS DEFINITION",
          {"Inclusions", "a)  loans from governments", "b)  loans from shareholders and directors",
           "c)  loans from finance companies and other lenders",
           "d)  obligations under capital leases",
           "e)  the current portion of long-term debt not entered elsewhere"}},
         {"DÉFINITION AUTRES EMPRUNTS",
          {"Inclure", "a)  emprunts auprès des gouvernements",
           "b)  emprunts auprès des actionnaires et des administrateurs",
           "c)  emprunts auprès des sociétés de financement et d'autres prêteurs",
           "d)  obligations découlant de contrats de location-acquisition",
           "e)  la partie à court terme de la dette à long terme non inscrite ailleurs"}}},

        {"lblAffiliate",
         "AmtsAffil",
         {"AMOUNTS OWING TO PARENT, SUBSIDIARIES AND AFFILIATES DEFINITION",
          {"This amount includes all loans, advances and other amounts owing to the parent "
           "company, to subsidiaries and to affiliates.",
           "It includes the bonds, debentures and notes held by them.",
           "Trade accounts payable to affiliates are entered as accounts payable."},
          BodyEnd::NoBreaks},
         {"DÉFINITION SOMMES DUES À LA SOCIÉTÉ MÈRE, AUX FILIALES ET AUX SOCIÉTÉS AFFILIÉES",
          {"Ce montant comprend tous les emprunts, avances et autres sommes dus à la société "
           "mère, aux filiales et aux sociétés affiliées.",
           "Il comprend les obligations, débentures et billets qu'elles détiennent.",
           "Les comptes fournisseurs dus aux sociétés affiliées sont inscrits comme comptes "
           "créditeurs."},
          BodyEnd::NoBreaks}},

        {"lblOtherLiabilities",
         "OLiab",
         {"OTHER LIABILITIES DEFINITION",
          {"Inclusions", "a)  customer deposits and advance payments", "b)  deferred revenue",
           "c)  provisions for warranties and site restoration",
           "d)  pension and other post-employment benefit obligations", "e)  minority interest",
           "f)  other liabilities not entered elsewhere"}},
         {"DÉFINITION AUTRES PASSIF",
          {"Inclure", "a)  dépôts et paiements anticipés des clients", "b)  produits reportés",
           "c)  provisions pour garanties et remise en état des lieux",
           "d)  obligations au titre des régimes de retraite et des autres avantages "
           "postérieurs à l'emploi",
           "e)  part des actionnaires sans contrôle", "f)  autres passifs non inscrits ailleurs"}}},

        {"lblDeferredTax",
         "DefTax",
         {"DEFERRED INCOME TAXES DEFINITION",
          {"Deferred income taxes are the income taxes on the differences between the "
           "accounting value and the tax value of assets and liabilities.",
           "They arise mainly from capital cost allowance claimed faster than depreciation.",
           "Enter the current and long-term portions together."},
          BodyEnd::NoBreaks},
         {"DÉFINITION IMPÔTS SUR LE REVENU REPORTÉ",
          {"Les impôts sur le revenu reportés sont les impôts sur les écarts entre la valeur "
           "comptable et la valeur fiscale des actifs et des passifs.",
           "Ils proviennent surtout de la déduction pour amortissement demandée plus "
           "rapidement que l'amortissement comptable.",
           "Inscrire ensemble la partie à court terme et la partie à long terme."},
          BodyEnd::NoBreaks}},

        {"lblLiabilities",
         "Tliab",
         {"TOTAL LIABILITIES DEFINITION",
          {"This amount should be equal to the sum of the values entered above."}},
         {"DÉFINITION TOTAL, PASSIFS",
          {"Ce montant devrait être égal au somme des chiffres ci-dessus."}}},

        {"lblShareCapital",
         "ShareC",
         {"SHARE CAPITAL DEFINITION",
          {"Inclusions", "a)  common shares", "b)  preferred shares",
           "c)  shares subscribed but not yet issued",
           "d)  shares issued for assets other than cash",
           "Share capital is entered at the amount paid in, less the shares redeemed."}},
         {"DÉFINITION CAPITAL -ACTIONS",
          {"Inclure", "a)  actions ordinaires", "b)  actions privilégiées",
           "c)  actions souscrites mais non encore émises",
           "d)  actions émises en échange d'actifs autres que l'encaisse",
           "Le capital-actions est inscrit au montant versé, moins les actions rachetées."}}},

        {"lblRetainedEarnings",
         "RetEarn",
         {"RETAINED EARNINGS DEFINITION",
          {"Retained earnings are the accumulated profits of the firm less the dividends "
           "declared and the amounts moved to other surplus.",
           "A deficit is entered as a negative amount."},
          BodyEnd::NoBreaks},
         {"DÉFINITION BÉNÉFICES NON RÉPARTIS",
          {"Les bénéfices non répartis sont les bénéfices accumulés de l'entreprise moins les "
           "dividendes déclarés et les sommes virées aux autres surplus.",
           "Un déficit est inscrit comme montant négatif."},
          BodyEnd::NoBreaks}},

        {"lblOther",
         "OtherSur",
         {"OTHER SURPLUS DEFINITION",
          {"Inclusions", "a)  contributed surplus", "b)  appraisal surplus",
           "c)  reserves appropriated from retained earnings",
           "d)  foreign currency translation adjustments",
           "e)  other equity not entered as share capital or retained earnings"}},
         {"DÉFINITION AUTRES SURPLUS",
          {"Inclure", "a)  surplus d'apport", "b)  surplus de réévaluation",
           "c)  réserves affectées à même les bénéfices non répartis",
           "d)  écarts de conversion des devises",
           "e)  autres capitaux propres non inscrits comme capital-actions ou bénéfices non "
           "répartis"}}},

        {"lblEquity",
         "Equity1",
         {"TOTAL SHAREHOLDERS'S EQUITY DEFINITION",
          {"This amount should be equal to the sum of the values entered for share capital, "
           "retained earnings, and other surplus."}},
         {"DÉFINITION CAPITAUX PROPRES",
          {"Ce montant devrait être la somme des valeurs pour captial-actions, bénéfices non "
           "répartis et autres surplus."}}},

        {"lblTotal",
         "TotLiabShareEq",
         {"TOTAL LIABILITIES AND SHAREHOLDERS'S EQUITY DEFINITION",
          {"This amount should be equal to the sum of the values entered for total liabilities "
           "and shareholder's equity.  It should also be equal to the amount entered for total "
           "assets."}},
         {"DÉFINITION TOTAL, PASSIFS ET CAPITAUX PROPRES",
          {"Ce montant devrait être la somme des valeurs pour total, passifs et captaux "
           "propres.  Il devrait être égal à la chiffre total, actifs."}}},

        {"lblCurrentAssets",
         "CurrentAssets",
         {"TOTAL CURRENT ASSETS DEFINITION ",
          {"This amount is the part of the assets expected to be turned into cash within one "
           "year: cash, accounts receivable, inventories, prepaid expenses and short-term "
           "investments."}},
         {"DÉFINITION ACTIFS À COURT TERME",
          {"Ce montant correspond à la partie des actifs qui devrait être convertie en "
           "encaisse dans moins d'un an : encaisse, comptes débiteurs, stocks, frais payés "
           "d'avance et placements à court terme."}}},

        {"lblCurrentLiabilities",
         "CurrentLiabilities",
         {"TOTAL CURRENT LIABILITIES DEFINITION ",
          {"This amount is the part of the liabilities due within one year: accounts payable, "
           "bank loans, short-term paper and the current portion of long-term debt."}},
         {"DÉFINITION PASSIFS À COURT TERME",
          {"Ce montant correspond à la partie des passifs échéant dans moins d'un an : comptes "
           "créditeurs, emprunts bancaires, papier à court terme et partie à court terme de la "
           "dette à long terme."}}},
    };
}

} // namespace

const QVector<ItemDefinition> &itemDefinitions()
{
    static const QVector<ItemDefinition> definitions = buildDefinitions();
    return definitions;
}

const ItemDefinition *findItemDefinition(const QString &labelName)
{
    for (const ItemDefinition &definition : itemDefinitions()) {
        if (definition.labelName == labelName)
            return &definition;
    }
    return nullptr;
}

QString joinDefinitionBody(const DefinitionText &text)
{
    static const QString breaks = QStringLiteral("\r\n\r\n");
    const auto &lines = text.lines;
    if (lines.size() == 1)
        return lines.first().text;
    QString body;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        body += lines.at(i).text;
        const bool last = i + 1 == lines.size();
        if (last ? text.end == BodyEnd::Breaks : !lines.at(i + 1).continuesPrevious)
            body += breaks;
    }
    return body;
}
